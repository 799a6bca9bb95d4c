// The help box as the stand-in window system saw it (native builds only).
#include <gtest/gtest.h>

#include <string>

#include "plugin/exports.h"
#include "standins/posix/standin_message_box.h"

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
  const std::wstring text = call->text;
  EXPECT_EQ(text.size(), 464u);
  EXPECT_EQ(text.rfind(L"Run a command after a specified delay, or at a certain time.  \n\nTARDO [FOR]", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 15), L"does anything.\n");
}

TEST(HelpBox, ForeignNameShowsNothing) {
  StandinResetMessageBox();
  wchar_t name[] = L"tardox";
  EXPECT_EQ(Help(name), 0);
  EXPECT_EQ(StandinLastMessageBox()->count, 0);
}

}  // namespace
