// ExpandVariables: every reference form, the internal variables and
// %@regquery with its second pass.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standins/host/takecmd/host_control.h"
#include "tests/unit/host/host_test_support.h"

namespace {

class Expansion : public testing::Test {
 protected:
  void SetUp() override {
    HostSetVariable(L"TARDO_T_A", L"alpha");
    HostSetVariable(L"TARDO_T_UNSET", nullptr);
    HostSetVariable(L"noloadmsg", nullptr);
    HostSetVariable(L"_transient", L"0");
    HostSetVariable(L"_pipe", L"0");
  }
  void TearDown() override {
    HostSetVariable(L"TARDO_T_A", nullptr);
    HostSetVariable(L"noloadmsg", nullptr);
  }
};

TEST_F(Expansion, ReferenceForms) {
  const struct {
    const wchar_t *text;
    const wchar_t *expected;
  } cases[] = {
      {L"%TARDO_T_A", L"alpha"},
      {L"%TARDO_T_A%", L"alpha"},
      {L"%[TARDO_T_A]", L"alpha"},
      {L"x%TARDO_T_A%y", L"xalphay"},
      {L"%TARDO_T_A.txt", L"alpha.txt"},
      {L"%TARDO_T_A\\Tasks", L"alpha\\Tasks"},
      {L"%TARDO_T_A%%TARDO_T_A%", L"alphaalpha"},
      {L"%TARDO_T_Ab", L""},  // the name runs on: another, unset variable
      {L"[%TARDO_T_UNSET%]", L"[]"},
      {L"%[TARDO_T_UNSET]", L""},
      {L"%%", L"%"},
      {L"%%TARDO_T_A", L"%TARDO_T_A"},
      {L"100%", L"100%"},
      {L"50% off", L"50% off"},
      {L"%[unclosed", L"%[unclosed"},
      {L"%@nosuch[x]", L""},
      {L"%@regquery[unclosed", L"%@regquery[unclosed"},
      {L"\u00e9 %TARDO_T_A \u20ac", L"\u00e9 alpha \u20ac"},
      {L"", L""},
  };
  for (const auto &test : cases) EXPECT_EQ(Expanded(test.text), test.expected) << test.text;
}

TEST_F(Expansion, LoadBannerTestSeesExactlyZeroZero) {
  EXPECT_EQ(Expanded(L"%[_transient]%[_pipe]%[noloadmsg]"), L"00");
  HostSetVariable(L"noloadmsg", L" ");
  EXPECT_EQ(Expanded(L"%[_transient]%[_pipe]%[noloadmsg]"), L"00 ");
  HostSetVariable(L"noloadmsg", nullptr);
  HostSetVariable(L"_pipe", L"1");
  EXPECT_EQ(Expanded(L"%[_transient]%[_pipe]%[noloadmsg]"), L"01");
}

TEST_F(Expansion, BatchLocationIsNotExpandedTwice) {
  HostSetVariable(L"_batch", L"1");
  HostSetVariable(L"_batchname", L"C:\\jobs\\50%TARDO_T_A%.btm");
  HostSetVariable(L"_batchline", L"12");
  EXPECT_EQ(Expanded(L"%_batch"), L"1");
  EXPECT_EQ(Expanded(L"%_batchname [%_batchline]  "), L"C:\\jobs\\50%TARDO_T_A%.btm [12]  ");
  HostSetVariable(L"_batch", L"0");
  HostSetVariable(L"_batchname", nullptr);
  HostSetVariable(L"_batchline", L"0");
  EXPECT_EQ(Expanded(L"%_BATCH"), L"0");  // internal names ignore case
  EXPECT_EQ(Expanded(L"[%_batchname]"), L"[]");
}

TEST_F(Expansion, CommandSpecIsThisProgram) {
  const std::wstring cmdspec = Expanded(L"%_cmdspec");
  ASSERT_FALSE(cmdspec.empty());
  const std::wstring name = cmdspec.substr(cmdspec.find_last_of(L"\\/") + 1);
  EXPECT_TRUE(name == L"unit_host" || name == L"unit_host.exe") << cmdspec;
}

TEST_F(Expansion, TheEnvironmentHidesAnInternalVariable) {
  HostSetVariable(L"_TARDO_T_SHADOW", L"table");
  EXPECT_EQ(Expanded(L"%_TARDO_T_SHADOW"), L"table");
  HostSetEnvironment(L"_TARDO_T_SHADOW", L"environment");
  EXPECT_EQ(Expanded(L"%_TARDO_T_SHADOW"), L"environment");
  std::wstring value;
  ASSERT_TRUE(EnvironmentValue(L"_TARDO_T_SHADOW", &value));
  EXPECT_EQ(value, L"environment");
  SetEnvironment(L"_TARDO_T_SHADOW", nullptr);
  EXPECT_EQ(Expanded(L"%_TARDO_T_SHADOW"), L"table");
  HostSetVariable(L"_TARDO_T_SHADOW", nullptr);
}

// The last results: internal, so that no child process inherits them.
TEST_F(Expansion, LastResultsAreInternalVariables) {
  HostSetVariable(L"_?", L"2");
  HostSetVariable(L"?", L"7");
  EXPECT_EQ(Expanded(L"%_? %? %[_?]%?%"), L"2 7 27");
  std::wstring value;
  EXPECT_FALSE(EnvironmentValue(L"?", &value));
}

TEST_F(Expansion, OtherVariablesLiveInTheProcessEnvironment) {
  std::wstring value;
  ASSERT_TRUE(EnvironmentValue(L"TARDO_T_A", &value));
  EXPECT_EQ(value, L"alpha");
  HostSetVariable(L"TARDO_T_A", L"");
  EXPECT_FALSE(EnvironmentValue(L"TARDO_T_A", &value));
  EXPECT_EQ(HostSetVariable(L"", L"x"), -1);
  EXPECT_EQ(HostSetVariable(L"A=B", L"x"), -1);
}

TEST_F(Expansion, GetVariableReportsUnsetAndTooSmall) {
  wchar_t out[8] = L"junk";
  EXPECT_EQ(HostGetVariable(L"TARDO_T_A", out, 8), 5);
  EXPECT_STREQ(out, L"alpha");
  EXPECT_EQ(HostGetVariable(L"TARDO_T_A", out, 5), -2);
  EXPECT_STREQ(out, L"");
  EXPECT_EQ(HostGetVariable(L"TARDO_T_UNSET", out, 8), -1);
}

TEST_F(Expansion, HostExpandTextKeepsWithinItsCapacity) {
  wchar_t out[6];
  EXPECT_EQ(HostExpandText(L"%TARDO_T_A", out, 6), 5);
  EXPECT_STREQ(out, L"alpha");
  EXPECT_EQ(HostExpandText(L"%TARDO_T_A!", out, 6), -1);
  EXPECT_STREQ(out, L"alpha");
}

// A stored REG_EXPAND_SZ value: the first pass gives the text as stored, the
// second the path it names.
#ifdef _WIN32
constexpr wchar_t kExpandableValue[] =
    L"HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment\\ComSpec";
constexpr wchar_t kStoredText[] = L"%SystemRoot%\\system32\\cmd.exe";
constexpr wchar_t kAfterRoot[] = L"\\system32\\cmd.exe";
#else
constexpr wchar_t kExpandableValue[] = L"HKLM\\SOFTWARE\\Microsoft\\SchedulingAgent\\TasksFolder";
constexpr wchar_t kStoredText[] = L"%SystemRoot%\\Tasks";
constexpr wchar_t kAfterRoot[] = L"\\Tasks";
#endif

TEST_F(Expansion, RegistryQueryGivesTheStoredTextThenItsExpansion) {
  const std::wstring query = std::wstring(L"%@regquery[") + kExpandableValue + L"]";
  std::wstring root;
  ASSERT_TRUE(EnvironmentValue(L"SystemRoot", &root));
  const std::wstring first = Expanded(query);
  EXPECT_EQ(first, kStoredText);
  EXPECT_EQ(Expanded(first), root + kAfterRoot);
}

TEST_F(Expansion, RegistryQueryOfAnAbsentValueIsMinusOne) {
  const struct {
    const wchar_t *text;
    const wchar_t *expected;
  } cases[] = {
      {L"%@regquery[HKLM\\SOFTWARE\\Tardo Test\\Absent\\Value]", L"-1"},
      {L"%@regquery[HKLM\\SOFTWARE\\Tardo%TARDO_T_UNSET%Absent\\Value]", L"-1"},
      {L"%@regquery[HKXX\\SOFTWARE\\Value]", L"-1"},
      {L"%@regquery[NoBackslash]", L"-1"},
      {L"[%@regquery[HKLM\\SOFTWARE\\Tardo Test\\Absent]]", L"[-1]"},
  };
  for (const auto &test : cases) EXPECT_EQ(Expanded(test.text), test.expected) << test.text;
}

TEST_F(Expansion, DeeplyNestedCallsEndAsTextNotAsACrash) {
  std::wstring text;  // a shell line's worth of nesting
  for (int i = 0; i < 5000; ++i) text += L"%@regquery[";
  text += std::wstring(5000, L']');
  std::vector<wchar_t> out(65536);
  EXPECT_EQ(HostExpandText(text.c_str(), out.data(), 65536), 2);
  EXPECT_STREQ(out.data(), L"-1");
}

TEST_F(Expansion, RegistryQueryArgumentsAreExpandedFirst) {
  HostSetVariable(L"TARDO_T_KEY", kExpandableValue);
  EXPECT_EQ(Expanded(L"%@REGQUERY[%TARDO_T_KEY%]"), kStoredText);
  HostSetVariable(L"TARDO_T_KEY", nullptr);
}

}  // namespace
