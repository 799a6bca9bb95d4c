// Error lines through the stand-in host, byte for byte: the prefix, the batch
// location when a batch file runs, the message and CR LF, on standard error.
// The form asserted here is the one the other suites take from
// tests/support/expectations.h.
#include <gtest/gtest.h>

#include <string>

#include "hostapi/host_services.h"
#include "hostapi/report_error.h"
#include "standins/host/takecmd/host_control.h"
#include "tests/support/capture.h"
#include "tests/support/expectations.h"

namespace {

constexpr const wchar_t *kBatchVariables[] = {L"_batch", L"_batchname", L"_batchline"};

// Runs with the host in strict mode, and puts the batch variables back as the
// host had them.
class ReportErrorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    strict_ = HostSetStrictMode(1);
    for (int i = 0; i < 3; ++i)
      set_[i] = HostGetVariable(kBatchVariables[i], saved_[i], kValueChars) >= 0;
  }
  void TearDown() override {
    for (int i = 0; i < 3; ++i) HostSetVariable(kBatchVariables[i], set_[i] ? saved_[i] : nullptr);
    HostSetStrictMode(strict_);
  }
  static void Batch(const wchar_t *batch, const wchar_t *name, const wchar_t *line) {
    HostSetVariable(L"_batch", batch);
    HostSetVariable(L"_batchname", name);
    HostSetVariable(L"_batchline", line);
  }

 private:
  static constexpr int kValueChars = 1024;
  int strict_ = 1;
  bool set_[3] = {};
  wchar_t saved_[3][kValueChars] = {};
};

template <typename Report>
std::string ErrorBytes(Report report) {
  Capture capture(Stream::Error);
  report();
  return capture.Finish();
}

std::string Ascii(const wchar_t *text) {
  const std::wstring wide = text != nullptr ? text : L"";
  return std::string(wide.begin(), wide.end());
}

TEST_F(ReportErrorTest, WritesNoLocationAtTheHostsPrompt) {
  EXPECT_EQ(ErrorBytes([] { ReportError(L"Can't find Tasks folder!"); }),
            ErrorLine("Can't find Tasks folder!"));
}

TEST_F(ReportErrorTest, WritesTheBatchLocationUnlessBatchIsZero) {
  const struct {
    const wchar_t *batch;  // nullptr: not set, expands to nothing
    const wchar_t *name;
    const wchar_t *line;
    const wchar_t *message;
    bool located;
  } cases[] = {
      {L"0", nullptr, nullptr, L"Syntax error:  expected a time", false},
      {L"0", L"C:\\jobs\\night.btm", L"4", L"It's too late for that!", false},
      {L"1", L"C:\\jobs\\night.btm", L"4", L"It's too late for that!", true},
      {L"2", L"D:\\a b\\run.cmd", L"120", L"Date out of range", true},
      {L"10", L"x.btm", L"1", L"Date out of range", true},
      {L"00", L"x.btm", L"1", L"Date out of range", false},
      {nullptr, L"x.btm", L"7", L"Date out of range", true},
      {nullptr, nullptr, nullptr, L"Date out of range", true},  // " []  "
      // Percent signs are written as they are, in the message and in the name.
      {L"0", nullptr, nullptr, L"100% of %s and %d%%", false},
      {L"1", L"C:\\100%\\%s%d.btm", L"3", L"%s", true},
      {L"0", nullptr, nullptr, L"", false},
      {L"1", L"b.btm", L"9", L"", true},
  };
  for (const auto &c : cases) {
    Batch(c.batch, c.name, c.line);
    const std::string location = c.located ? BatchLocation(Ascii(c.name), Ascii(c.line)) : "";
    const std::string expected = ErrorLine(Ascii(c.message), location);
    EXPECT_EQ(ErrorBytes([&] { ReportError(c.message); }), expected) << expected;
  }
  Batch(L"0", nullptr, nullptr);
  EXPECT_EQ(ErrorBytes([] { ReportError(L"Z\u00fcrich \u20ac"); }),
            ErrorLine("Z\xc3\xbcrich \xe2\x82\xac"));
}

TEST_F(ReportErrorTest, FormatsANumber) {
  Batch(L"0", nullptr, nullptr);
  const struct {
    const wchar_t *format;
    int number;
    std::string message;
  } cases[] = {
      {L"SetTrigger() returned: 0x%x", static_cast<int>(0x80070005u),
       "SetTrigger() returned: 0x80070005"},
      {L"AddWorkItem() returned: 0x%x", 1, "AddWorkItem() returned: 0x1"},
      {L"CoCreateInstance() returned: 0x%x", static_cast<int>(0x800401F0u),
       "CoCreateInstance() returned: 0x800401f0"},
      {L"Value %d", -2147483647 - 1, "Value -2147483648"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(ErrorBytes([&] { ReportErrorNumber(c.format, c.number); }), ErrorLine(c.message))
        << c.message;
  Batch(L"1", L"job.btm", L"2");
  EXPECT_EQ(ErrorBytes([] { ReportErrorNumber(L"Save() returned: 0x%x", 5); }),
            ErrorLine("Save() returned: 0x5", BatchLocation("job.btm", "2")));
}

TEST_F(ReportErrorTest, FormatsAText) {
  Batch(L"0", nullptr, nullptr);
  const struct {
    const wchar_t *format;
    const wchar_t *text;
    std::string message;
  } cases[] = {
      {L"Syntax error:  invalid duration \"%s\"; should be a number", L"5x",
       "Syntax error:  invalid duration \"5x\"; should be a number"},
      {L"Syntax error:  invalid time \"%s\"; should be HH:MM", L"%d%s%",
       "Syntax error:  invalid time \"%d%s%\"; should be HH:MM"},
      {L"Syntax error:  invalid time \"%s\"; should be HH:MM", L"",
       "Syntax error:  invalid time \"\"; should be HH:MM"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(ErrorBytes([&] { ReportErrorText(c.format, c.text); }), ErrorLine(c.message))
        << c.message;
}

// The host's Sprintf takes no bound and, in strict mode, aborts the test
// program on a result of more than kHostBufferChars - 1 characters: a long
// text is cut so that the message fills the buffer exactly.
TEST_F(ReportErrorTest, CutsAnOverlongTextToFitTheMessageBuffer) {
  Batch(L"0", nullptr, nullptr);
  const wchar_t *format = L"Bad \"%s\"";  // 8 characters; the message adds 6 to the text
  const std::size_t fits = kHostBufferChars - 1 - 6;
  const struct {
    std::size_t length;
    std::size_t shown;
  } cases[] = {{fits - 1, fits - 1}, {fits, fits}, {fits + 1, fits}, {3 * kHostBufferChars, fits}};
  for (const auto &c : cases) {
    const std::wstring text(c.length, L'a');
    EXPECT_EQ(ErrorBytes([&] { ReportErrorText(format, text.c_str()); }),
              ErrorLine("Bad \"" + std::string(c.shown, 'a') + "\""))
        << c.length;
  }
}

// Formats too long to leave room for their value are reported unformatted
// rather than overrunning the buffer.
TEST_F(ReportErrorTest, ReportsAnOverlongFormatAsItStands) {
  Batch(L"0", nullptr, nullptr);
  const std::wstring numberFormat = std::wstring(kHostBufferChars - 12, L'n') + L"%d";
  EXPECT_EQ(ErrorBytes([&] { ReportErrorNumber(numberFormat.c_str(), 7); }),
            ErrorLine(std::string(kHostBufferChars - 12, 'n') + "%d"));
  const std::wstring shortEnough = std::wstring(kHostBufferChars - 14, L'n') + L"%d";
  EXPECT_EQ(ErrorBytes([&] { ReportErrorNumber(shortEnough.c_str(), -2147483647 - 1); }),
            ErrorLine(std::string(kHostBufferChars - 14, 'n') + "-2147483648"));
  const std::wstring textFormat = std::wstring(kHostBufferChars + 10, L't') + L"%s";
  EXPECT_EQ(ErrorBytes([&] { ReportErrorText(textFormat.c_str(), L"word"); }),
            ErrorLine(std::string(kHostBufferChars - 1, 't')));
  // The exact limits: one character more than shortEnough leaves no room
  // for "-2147483648"; a text format of kHostBufferChars + 1 characters leaves
  // room for an empty text only, and one more for none.
  const std::wstring numberOneLonger = std::wstring(kHostBufferChars - 13, L'n') + L"%d";
  EXPECT_EQ(ErrorBytes([&] { ReportErrorNumber(numberOneLonger.c_str(), 7); }),
            ErrorLine(std::string(kHostBufferChars - 13, 'n') + "%d"));
  const std::wstring roomForNoText = L"%s" + std::wstring(kHostBufferChars - 1, L't');
  EXPECT_EQ(ErrorBytes([&] { ReportErrorText(roomForNoText.c_str(), L"word"); }),
            ErrorLine(std::string(kHostBufferChars - 1, 't')));
  const std::wstring noRoom = L"%s" + std::wstring(kHostBufferChars, L't');
  EXPECT_EQ(ErrorBytes([&] { ReportErrorText(noRoom.c_str(), L"word"); }),
            ErrorLine("%s" + std::string(kHostBufferChars - 3, 't')));
}

}  // namespace
