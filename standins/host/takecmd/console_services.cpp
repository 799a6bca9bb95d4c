// Printf, Qprintf and QPuts: UTF-8 bytes straight to the handle, unbuffered
// and without any translation of line ends, so that "\n" stays LF and
// "\r\n" stays CR LF. Results: the number of characters written, or -1.
#include <cstdarg>

#include "hostapi/host_services.h"
#include "standins/host/takecmd/host_os.h"
#include "standins/host/takecmd/wide_format.h"

namespace {

int Write(HANDLE handle, const std::wstring &text) {
  return OsWriteText(handle, text) ? static_cast<int>(text.size()) : -1;
}

}  // namespace

int __cdecl Printf(const wchar_t *format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const std::wstring text = FormatWide(format, arguments);
  va_end(arguments);
  return Write(OsStandardOutput(), text);
}

int __cdecl Qprintf(HANDLE handle, const wchar_t *format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const std::wstring text = FormatWide(format, arguments);
  va_end(arguments);
  return Write(handle, text);
}

int WINAPI QPuts(const wchar_t *text) { return text ? Write(OsStandardOutput(), text) : -1; }
