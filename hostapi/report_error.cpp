#include "hostapi/report_error.h"

#include "hostapi/host_services.h"
#include "hostapi/wide_text.h"
#include "hostapi/win_api.h"

namespace {

// The longest text an integer conversion writes: "-2147483648".
constexpr int kLongestNumberChars = 11;

}  // namespace

void ReportError(const wchar_t *message) {
  wchar_t buffer[kHostBufferChars];
  ClearText(buffer, kHostBufferChars);
  CopyText(buffer, L"%_batch", kHostBufferChars);
  // The handle is fetched for every write: the host may redirect standard
  // error between them.
  Qprintf(GetStdHandle(STD_ERROR_HANDLE), L"Tardo plugin: ");
  ExpandVariables(buffer, 1);
  // Only a leading '0' means the prompt; any other text, or none, a batch file.
  if (buffer[0] != L'0') {
    CopyText(buffer, L"%_batchname [%_batchline]  ", kHostBufferChars);
    ExpandVariables(buffer, 1);
    // An argument, never a format: a '%' in the file's name stays a '%'.
    Qprintf(GetStdHandle(STD_ERROR_HANDLE), L"%s", buffer);
  }
  Qprintf(GetStdHandle(STD_ERROR_HANDLE), L"%s\r\n", message);
}

// Sprintf is unbounded, so a format too long to leave room for its value is
// reported as it stands instead of being formatted.

void ReportErrorNumber(const wchar_t *format, int number) {
  wchar_t message[kHostBufferChars];
  ClearText(message, kHostBufferChars);
  if (TextLength(format) + kLongestNumberChars < kHostBufferChars)
    Sprintf(message, format, number);
  else
    CopyText(message, format, kHostBufferChars);
  ReportError(message);
}

void ReportErrorText(const wchar_t *format, const wchar_t *text) {
  wchar_t message[kHostBufferChars];
  ClearText(message, kHostBufferChars);
  // The text takes the place of the two characters of "%s"; cut it so that
  // the message holds at most kHostBufferChars - 1 characters.
  const int textCapacity = kHostBufferChars + 2 - TextLength(format);
  if (textCapacity >= 1) {
    wchar_t shortened[kHostBufferChars];
    CopyText(shortened, text, textCapacity < kHostBufferChars ? textCapacity : kHostBufferChars);
    Sprintf(message, format, shortened);
  } else {
    CopyText(message, format, kHostBufferChars);
  }
  ReportError(message);
}
