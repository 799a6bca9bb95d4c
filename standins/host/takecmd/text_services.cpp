// ExpandVariables and Sprintf: results land in the plug-in's host buffers, so
// a longer result is an overrun (see strict_mode.h).
#include <cstdarg>
#include <cwchar>

#include "hostapi/host_services.h"
#include "standins/host/takecmd/expansion.h"
#include "standins/host/takecmd/strict_mode.h"
#include "standins/host/takecmd/wide_format.h"

namespace {

// Copies at most kLongestHostResult characters and the terminator.
int StoreResult(wchar_t *buffer, const std::wstring &text) {
  const std::size_t length = text.size() < kLongestHostResult ? text.size() : kLongestHostResult;
  std::wmemcpy(buffer, text.data(), length);
  buffer[length] = L'\0';
  return static_cast<int>(length);
}

}  // namespace

// The flag is accepted and not needed: every expansion here is the full one.
int WINAPI ExpandVariables(wchar_t *buffer, int) {
  if (!buffer) return -1;
  const std::wstring expanded = ExpandText(buffer);
  const bool overrun = expanded.size() > kLongestHostResult;
  if (overrun) ReportOverrun("ExpandVariables", expanded.size());
  StoreResult(buffer, expanded);
  return overrun ? -1 : 0;
}

int __cdecl Sprintf(wchar_t *buffer, const wchar_t *format, ...) {
  if (!buffer) return -1;
  va_list arguments;
  va_start(arguments, format);
  const std::wstring text = FormatWide(format, arguments);
  va_end(arguments);
  if (text.size() > kLongestHostResult) ReportOverrun("Sprintf", text.size());
  return StoreResult(buffer, text);
}
