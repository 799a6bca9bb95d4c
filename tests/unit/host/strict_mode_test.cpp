// Strict mode stops the process at a result that would overrun the plug-in's
// 16384-character buffer; without it such a result is cut short, never past
// the buffer.
#include <gtest/gtest.h>

#include <string>

#include "standins/host/takecmd/host_control.h"
#include "tests/unit/host/host_test_support.h"

namespace {

constexpr std::size_t kLongest = kHostBufferChars - 1;

class StrictMode : public testing::Test {
 protected:
  void SetUp() override {
    HostSetVariable(L"TARDO_T_LONG", std::wstring(kLongest - 2, L'v').c_str());
  }
  void TearDown() override {
    HostSetStrictMode(1);
    HostSetVariable(L"TARDO_T_LONG", nullptr);
  }
  wchar_t buffer_[kHostBufferChars + 8];
};

TEST_F(StrictMode, ResultsThatJustFitAreWhole) {
  const std::wstring longest(kLongest, L'x');
  EXPECT_EQ(Sprintf(buffer_, L"%s", longest.c_str()), static_cast<int>(kLongest));
  EXPECT_EQ(std::wstring(buffer_), longest);
  const std::wstring text = L"[%TARDO_T_LONG%]";  // 2 + 16381 characters
  text.copy(buffer_, text.size());
  buffer_[text.size()] = L'\0';
  EXPECT_EQ(ExpandVariables(buffer_, 1), 0);
  EXPECT_EQ(std::wstring(buffer_).size(), kLongest);
}

TEST_F(StrictMode, OffCutsAnOverlongResultAtTheBuffersEnd) {
  EXPECT_EQ(HostSetStrictMode(0), 1);
  for (wchar_t &c : buffer_) c = L'#';
  EXPECT_EQ(Sprintf(buffer_, L"%s!", std::wstring(kLongest, L'x').c_str()),
            static_cast<int>(kLongest));
  EXPECT_EQ(buffer_[kLongest], L'\0');
  EXPECT_EQ(buffer_[kLongest + 1], L'#');

  const std::wstring text = L"[%TARDO_T_LONG%]%TARDO_T_LONG%";
  text.copy(buffer_, text.size());
  buffer_[text.size()] = L'\0';
  EXPECT_EQ(ExpandVariables(buffer_, 1), -1);
  EXPECT_EQ(std::wstring(buffer_).size(), kLongest);
}

#ifndef _WIN32  // death tests re-run the program: too slow under Wine
TEST_F(StrictMode, OnAbortsLoudlyAtTheOverrun) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::wstring overlong(kLongest + 1, L'x');
  EXPECT_DEATH(Sprintf(buffer_, L"%s", overlong.c_str()),
               "TakeCmd strict mode: Sprintf result of 16384 characters overruns");
  const std::wstring text = L"[%TARDO_T_LONG%]!";
  text.copy(buffer_, text.size());
  buffer_[text.size()] = L'\0';
  EXPECT_DEATH(ExpandVariables(buffer_, 1),
               "TakeCmd strict mode: ExpandVariables result of 16384 characters");
}
#endif

}  // namespace
