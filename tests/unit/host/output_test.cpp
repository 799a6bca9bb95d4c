// Printf, QPuts and Qprintf write UTF-8 bytes exactly: no line-end
// translation, no buffering that could reorder them.
#include <gtest/gtest.h>

#include <string>

#include "hostapi/host_services.h"
#include "tests/support/capture.h"

namespace {

TEST(Output, StandardOutputGetsExactUtf8Bytes) {
  Capture capture(Stream::Output);
  const int printed = Printf(L"a\nb\r\n%s|%d", L"\u00e9\u20ac\U0001F600", -3);
  const int put = QPuts(L"x%d\n");
  const std::string bytes = capture.Finish();
  EXPECT_EQ(bytes, "a\nb\r\n\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80|-3x%d\n");
  EXPECT_EQ(put, 4);
  EXPECT_GT(printed, 0);
}

TEST(Output, QprintfWritesToTheHandleItIsGiven) {
  Capture errors(Stream::Error);
  Capture output(Stream::Output);
  Qprintf(GetStdHandle(STD_ERROR_HANDLE), L"Tardo plugin: %s\r\n",
          L"Syntax error:  expected a time");
  Qprintf(GetStdHandle(STD_OUTPUT_HANDLE), L"%s", L"out");
  EXPECT_EQ(output.Finish(), "out");
  EXPECT_EQ(errors.Finish(), "Tardo plugin: Syntax error:  expected a time\r\n");
}

TEST(Output, AHandleThatCannotBeWrittenIsAFailure) {
  EXPECT_EQ(Qprintf(INVALID_HANDLE_VALUE, L"%s", L"lost"), -1);
}

}  // namespace
