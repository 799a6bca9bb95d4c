// QueryIsFile, QueryIsDirectory and QueryTrueName on real files; paths are
// written with backslashes, as the plug-in writes them, on every platform.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "hostapi/host_services.h"
#include "standins/common/utf8_text.h"

namespace fs = std::filesystem;

namespace {

// Not path.wstring(): natively it would go through the C library's locale.
std::wstring Wide(const fs::path &path) {
  const std::u8string bytes = path.u8string();
  return Utf8ToWide(std::string(bytes.begin(), bytes.end()));
}

std::wstring Backslashed(const fs::path &path) {
  std::wstring text = Wide(path);
  for (wchar_t &c : text)
    if (c == L'/') c = L'\\';
  return text;
}

// The form QueryTrueName gives: Windows keeps backslashes; natively the
// mapped POSIX path.
std::wstring Native(const fs::path &path) {
#ifdef _WIN32
  return Backslashed(path);
#else
  return Wide(path);
#endif
}

const fs::path kOddName(u8"gr\u00fc\u00dfe \u20ac.job");

class FileQueries : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::canonical(fs::temp_directory_path()) /
              ("tardo-host-" + std::to_string(testing::UnitTest::GetInstance()->random_seed()) +
               "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_ / L"sub");
    std::ofstream(folder_ / L"file.txt") << "x";
    std::ofstream(folder_ / kOddName) << "x";
  }
  void TearDown() override {
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder_);
  }
  fs::path folder_;
  wchar_t result_[kHostBufferChars];
};

TEST_F(FileQueries, KindsOfPath) {
  const struct {
    std::wstring path;
    int isFile;
    bool isDirectory;
  } cases[] = {
      {Backslashed(folder_ / L"file.txt"), 1, false},
      {Backslashed(folder_ / kOddName), 1, false},
      {Backslashed(folder_ / L"sub"), 0, true},
      {Backslashed(folder_), 0, true},
      {Backslashed(folder_ / L"missing.job"), 0, false},
      {Backslashed(folder_ / L"file.txt" / L"below"), 0, false},
      {L"", 0, false},
  };
  for (const auto &test : cases) {
    EXPECT_EQ(QueryIsFile(test.path.c_str()), test.isFile) << test.path;
    EXPECT_EQ(QueryIsDirectory(test.path.c_str()) != 0, test.isDirectory) << test.path;
  }
}

TEST_F(FileQueries, TrueNameIsTheFullPath) {
  const struct {
    std::wstring path;
    std::wstring expected;
  } cases[] = {
      {Backslashed(folder_ / L"sub"), Native(folder_ / L"sub")},
      {Backslashed(folder_ / L"sub") + L"\\..\\file.txt", Native(folder_ / L"file.txt")},
      {Backslashed(folder_ / kOddName), Native(folder_ / kOddName)},
  };
  for (const auto &test : cases) {
    EXPECT_EQ(QueryTrueName(test.path.c_str(), result_), result_) << test.path;
    EXPECT_EQ(std::wstring(result_), test.expected);
  }
}

TEST_F(FileQueries, TrueNameOfARelativePathStartsAtTheCurrentFolder) {
  fs::current_path(folder_);
  QueryTrueName(L"sub", result_);
  EXPECT_EQ(std::wstring(result_), Native(folder_ / L"sub"));
}

TEST_F(FileQueries, TrueNameOfNothingLeavesTheResultEmpty) {
  for (const std::wstring &path : {Backslashed(folder_ / L"missing"), std::wstring()}) {
    result_[0] = L'#';
    EXPECT_EQ(QueryTrueName(path.c_str(), result_), nullptr) << path;
    EXPECT_EQ(result_[0], L'\0');
  }
}

}  // namespace
