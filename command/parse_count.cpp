#include "command/parse_count.h"

#include <cwchar>

#include "hostapi/wide_text.h"

namespace {

int IsHexDigit(wchar_t ch) {
  return IsDecimalDigit(ch) || (ch >= L'a' && ch <= L'f') || (ch >= L'A' && ch <= L'F');
}

int IsAscii(const wchar_t *text) {
  for (; *text != L'\0'; ++text)
    if (static_cast<unsigned>(*text) > 127) return 0;
  return 1;
}

}  // namespace

int ParseCount(const wchar_t *text) {
  if (text == nullptr || !IsDecimalDigit(text[0])) return -1;
  // Counts are written in ASCII. Some C runtimes' wcstol also read the
  // digits of other scripts (full-width, Arabic-Indic); refusing those keeps
  // the result the same on every platform.
  if (!IsAscii(text)) return -1;

  const wchar_t *digits = text;
  int base = 10;
  if (text[0] == L'0' && (text[1] == L'x' || text[1] == L'X') && IsHexDigit(text[2])) {
    digits = text + 2;
    base = 16;
  }
  wchar_t *end = nullptr;
  const long value = std::wcstol(digits, &end, base);
  if (*end != L'\0') return -1;
  // long is 32 bits on Windows, where wcstol saturates at LONG_MAX, and 64
  // bits elsewhere: clamp here so both give kMaxCount, never a wrapped value.
  return value > kMaxCount ? kMaxCount : static_cast<int>(value);
}
