#include "scheduling/path_parts.h"

#include <gtest/gtest.h>

#include <string>

#include "hostapi/host_services.h"

namespace {

struct JoinCase {
  const wchar_t *path;
  const wchar_t *name;
  const wchar_t *joined;
};

TEST(AppendPathComponent, JoinsWithAtMostOneBackslash) {
  const JoinCase cases[] = {
      {L"C:\\Windows\\Tasks", L"Tardo-000003ad.job", L"C:\\Windows\\Tasks\\Tardo-000003ad.job"},
      {L"C:\\Windows\\Tasks\\", L"a.job", L"C:\\Windows\\Tasks\\a.job"},
      {L"/var/tasks/", L"a.job", L"/var/tasks/a.job"},
      {L"/var/tasks", L"a.job", L"/var/tasks\\a.job"},
      {L"D:", L"a.job", L"D:a.job"},
      {L"", L"a.job", L"a.job"},
      {L"x", L"a.job", L"x\\a.job"},
      {L"dir", L"\\a.job", L"dir\\a.job"},
      {L"dir", L"/a.job", L"dir/a.job"},
      {L"dir\\", L"\\a.job", L"dir\\\\a.job"},
      {L"dir", L":a", L"dir\\:a"},
      {L"dir", L"", L"dir\\"},
  };
  for (const JoinCase &c : cases) {
    wchar_t path[kHostBufferChars] = {};
    std::wcscpy(path, c.path);
    EXPECT_EQ(AppendPathComponent(path, c.name), 0) << c.path;
    EXPECT_EQ(std::wstring(path), c.joined) << c.path << L" + " << c.name;
  }
}

TEST(AppendPathComponent, RefusesMissingArguments) {
  wchar_t path[kHostBufferChars] = L"dir";
  EXPECT_EQ(AppendPathComponent(path, nullptr), -1);
  EXPECT_EQ(std::wstring(path), L"dir");
  EXPECT_EQ(AppendPathComponent(nullptr, L"a"), -1);
}

TEST(AppendPathComponent, RefusesAJoinThatWouldNotFitRatherThanCutIt) {
  static wchar_t path[kHostBufferChars];
  const std::wstring folder(kHostBufferChars - 1 - 1 - 18, L'x');
  std::wcscpy(path, folder.c_str());
  EXPECT_EQ(AppendPathComponent(path, L"Tardo-0318f736.job"), 0);
  EXPECT_EQ(std::wstring(path), folder + L"\\Tardo-0318f736.job");
  EXPECT_EQ(path[kHostBufferChars - 1], L'\0');

  const std::wstring longer(kHostBufferChars - 1 - 18, L'x');
  std::wcscpy(path, longer.c_str());
  EXPECT_EQ(AppendPathComponent(path, L"Tardo-0318f736.job"), -1);
  EXPECT_EQ(std::wstring(path), longer);
}

TEST(DirectoryPart, CutsAfterTheLastSlashOrElseTheLastColon) {
  const struct {
    const wchar_t *source;
    const wchar_t *directory;
  } cases[] = {
      {L"D:\\TCC\\tcc.exe", L"D:\\TCC\\"},
      {L"D:tcc.exe", L"D:"},
      {L"a:b\\c:d", L"a:b\\"},
      {L"/usr/bin/hostshell", L"/usr/bin/"},
      {L"C:\\dir/sub\\x", L"C:\\dir/sub\\"},
      {L"\\", L"\\"},
      {L"a:b:c", L"a:b:"},
      {L"dir\\", L"dir\\"},
  };
  for (const auto &c : cases) {
    wchar_t destination[kHostBufferChars] = L"untouched";
    EXPECT_EQ(DirectoryPart(destination, c.source), destination) << c.source;
    EXPECT_EQ(std::wstring(destination), c.directory) << c.source;
  }
}

TEST(DirectoryPart, LeavesTheDestinationAloneWithoutASeparator) {
  for (const wchar_t *source : {L"tcc.exe", L""}) {
    wchar_t destination[kHostBufferChars] = L"untouched";
    EXPECT_EQ(DirectoryPart(destination, source), nullptr) << source;
    EXPECT_EQ(std::wstring(destination), L"untouched");
  }
  wchar_t destination[kHostBufferChars] = L"untouched";
  EXPECT_EQ(DirectoryPart(destination, nullptr), nullptr);
  EXPECT_EQ(std::wstring(destination), L"untouched");
}

}  // namespace
