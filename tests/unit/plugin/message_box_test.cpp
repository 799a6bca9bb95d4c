// The help box as the stand-in window system saw it (native builds only).
#include <gtest/gtest.h>

#include <string>

#include "plugin/exports.h"
#include "standins/posix/standin_message_box.h"
#include "tests/support/expectations.h"

namespace {

TEST(HelpBox, ShowsDescriptionAndSyntaxUnderItsCaption) {
  StandinResetMessageBox();
  wchar_t name[] = L"Tardo";
  ASSERT_EQ(Help(name), 1);
  const StandinMessageBoxCall *call = StandinLastMessageBox();
  EXPECT_EQ(call->count, 1);
  EXPECT_EQ(call->owner, StandinForegroundWindow());
  EXPECT_STREQ(call->caption, L"Tardo Help");
  EXPECT_EQ(call->type, MB_OK);
  const std::string usage = std::string(kUsageDescription) + kUsageSyntax;
  EXPECT_EQ(std::wstring(call->text), std::wstring(usage.begin(), usage.end()));
}

TEST(HelpBox, ForeignNameShowsNothing) {
  StandinResetMessageBox();
  wchar_t name[] = L"tardox";
  EXPECT_EQ(Help(name), 0);
  EXPECT_EQ(StandinLastMessageBox()->count, 0);
}

}  // namespace
