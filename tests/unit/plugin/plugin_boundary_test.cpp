// What the host sees of the plug-in: its record, load banner, help and usage.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "command/usage_text.h"
#include "hostapi/host_services.h"
#include "plugin/exports.h"
#include "standins/host/takecmd/host_control.h"
#include "tests/support/capture.h"
#include "tests/support/expectations.h"

namespace {

std::wstring Widen(const std::string &ascii) { return std::wstring(ascii.begin(), ascii.end()); }

TEST(PluginInfoRecord, HoldsTheNineFields) {
  const PluginInfo *info = GetPluginInfo();
  EXPECT_STREQ(info->moduleName, L"Tardo");
  EXPECT_STREQ(info->description, L"Schedules a command to run later");
  EXPECT_STREQ(info->commandList, L"tardo");
  EXPECT_NE(std::wstring(info->author).find(L"Tardo"), std::wstring::npos);
  EXPECT_NE(std::wstring(info->email).find(L'@'), std::wstring::npos);
  EXPECT_EQ(std::wstring(info->webAddress).rfind(L"https://", 0), 0u);
  EXPECT_EQ(info->majorVersion, TARDO_VERSION_MAJOR);
  EXPECT_EQ(info->minorVersion, TARDO_VERSION_MINOR);
  EXPECT_EQ(info->build, TARDO_VERSION_PATCH);
}

auto Fields(const PluginInfo &info) {
  return std::tuple(info.moduleName, info.author, info.email, info.webAddress, info.description,
                    info.commandList, info.majorVersion, info.minorVersion, info.build);
}

// A host scribbling on the record does not outlive the next call; what the
// host wrote into its own two fields stays.
TEST(PluginInfoRecord, EveryCallWritesEveryFieldOfItsOwn) {
  PluginInfo *first = GetPluginInfo();
  const PluginInfo copy = *first;
  static wchar_t hostName[] = L"C:\\TCC\\Plugins\\Tardo.dll";
  const HMODULE hostHandle = reinterpret_cast<HMODULE>(first);
  *first = PluginInfo{L"?", L"?", L"?", L"?", L"?", L"?", -1, -1, -1, hostHandle, hostName};
  PluginInfo *second = GetPluginInfo();
  EXPECT_EQ(first, second);
  EXPECT_EQ(Fields(*second), Fields(copy));
  EXPECT_EQ(std::pair(second->module, second->moduleFileName), std::pair(hostHandle, hostName));
}

TEST(CommandExport, RefusesANullTail) { EXPECT_EQ(tardo(nullptr), 1); }

TEST(Shutdown, ReturnsZeroWhateverTheHostPasses) {
  for (int value : {0, 1, -1, 0x7fffffff}) EXPECT_EQ(ShutdownPlugin(value), 0) << value;
}

struct NameCase {
  const wchar_t *name;
  int expected;
};
const NameCase kNames[] = {
    {L"tardo", 1},  {L"TARDO", 1},  {L"Tardo", 1}, {L"tArDo", 1}, {L"tardo ", 0},
    {L" tardo", 0}, {L"tardox", 0}, {L"tard", 0},  {L"", 0},      {L"t\u00C1rdo", 0},
};

TEST(Usage, AnswersOnlyForItsOwnCommandName) {
  for (const NameCase &c : kNames) {
    wchar_t buffer[kUsageBufferChars];
    for (wchar_t &ch : buffer) ch = L'Z';
    wchar_t name[16];
    std::wstring(c.name).copy(name, 15);
    name[std::wstring(c.name).size()] = L'\0';
    const int result = Usage(name, buffer);
    EXPECT_EQ(result, c.expected) << std::wstring(c.name).size();
    if (result == 0) {
      for (wchar_t ch : buffer) ASSERT_EQ(ch, L'Z') << "buffer touched for a foreign name";
    }
  }
}

TEST(Usage, DeliversTheSyntaxTextAndItsTerminator) {
  wchar_t buffer[kUsageBufferChars];
  for (wchar_t &ch : buffer) ch = L'Z';
  wchar_t name[] = L"tardo";
  ASSERT_EQ(Usage(name, buffer), 1);
  EXPECT_EQ(std::wstring(buffer), Widen(kUsageSyntax));
  EXPECT_EQ(std::wstring(buffer).size(), 400u);
  EXPECT_EQ(buffer[400], L'\0');
  EXPECT_EQ(buffer[401], L'Z') << "nothing written past the terminator";
}

TEST(Help, ShowsTheBoxOnlyForItsOwnCommandName) {
  for (const NameCase &c : kNames) {
    wchar_t name[16];
    std::wstring(c.name).copy(name, 15);
    name[std::wstring(c.name).size()] = L'\0';
    EXPECT_EQ(Help(name), c.expected);
  }
}

TEST(PrintUsage, WritesDescriptionBlankLineAndSyntaxExactly) {
  Capture out(Stream::Output);
  PrintUsage();
  EXPECT_EQ(out.Finish(), std::string(kUsageDescription) + kUsageSyntax);
}

struct BannerCase {
  const wchar_t *transient;
  const wchar_t *pipe;
  const wchar_t *noloadmsg;  // null: unset
  bool shown;
};
const BannerCase kBanners[] = {
    {L"0", L"0", nullptr, true}, {L"1", L"0", nullptr, false}, {L"0", L"1", nullptr, false},
    {L"0", L"0", L"0", false},   {L"0", L"0", L" ", false},    {L"0", L"0", L"yes", false},
    {L"0", L"0", L"", true},      // set but empty: expands to nothing
    {L"00", L"", nullptr, true},  // only the joined expansion counts
    {L"", L"", nullptr, false},   // nothing at all is not "00"
};

TEST(LoadBanner, PrintedOnlyWhenTheExpansionIsExactlyDoubleZero) {
  for (const BannerCase &c : kBanners) {
    HostSetVariable(L"_transient", c.transient);
    HostSetVariable(L"_pipe", c.pipe);
    HostSetVariable(L"noloadmsg", c.noloadmsg);
    Capture out(Stream::Output);
    EXPECT_EQ(InitializePlugin(), 0);
    EXPECT_EQ(out.Finish(), c.shown ? "Tardo v" TARDO_VERSION " loaded.\n" : "")
        << "transient=" << (c.transient[0] ? "x" : "") << " shown=" << c.shown;
  }
  HostSetVariable(L"noloadmsg", nullptr);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID);

namespace {

TEST(EntryPoint, ReportsSuccessForEveryNotification) {
  for (DWORD reason :
       {DLL_PROCESS_ATTACH, DLL_THREAD_ATTACH, DLL_THREAD_DETACH, DLL_PROCESS_DETACH})
    EXPECT_EQ(DllMain(nullptr, reason, nullptr), TRUE) << reason;
}

}  // namespace
