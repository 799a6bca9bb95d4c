#include "standins/host/takecmd/wide_format.h"

// Beyond any width a format of the plug-in's uses; keeps a typo from asking
// for gigabytes of padding.
constexpr int kMaxWidth = 1024;

namespace {

std::wstring Digits(unsigned value, unsigned base) {
  wchar_t reversed[16];
  int count = 0;
  do {
    reversed[count++] = L"0123456789abcdef"[value % base];
    value /= base;
  } while (value != 0);
  std::wstring digits;
  while (count > 0) digits += reversed[--count];
  return digits;
}

// A number, padded with zeros after its sign to width characters.
void PutNumber(std::wstring *out, bool negative, const std::wstring &digits, int width) {
  if (negative) *out += L'-';
  const int length = static_cast<int>(digits.size()) + (negative ? 1 : 0);
  if (width > length) out->append(static_cast<std::size_t>(width - length), L'0');
  *out += digits;
}

}  // namespace

std::wstring FormatWide(const wchar_t *format, va_list arguments) {
  std::wstring out;
  if (!format) return out;
  for (const wchar_t *p = format; *p != L'\0'; ++p) {
    if (*p != L'%') {
      out += *p;
      continue;
    }
    const wchar_t *conversion = p + 1;
    int width = 0;
    if (*conversion == L'0') {
      while (*++conversion >= L'0' && *conversion <= L'9')
        if (width < kMaxWidth) width = width * 10 + (*conversion - L'0');
      if (width > kMaxWidth) width = kMaxWidth;
      if (*conversion != L'd' && *conversion != L'x') {
        out += L'%';  // a width on anything else: the text as it stands
        continue;
      }
    }
    switch (*conversion) {
      case L's': {
        const wchar_t *text = va_arg(arguments, const wchar_t *);
        out += text ? text : L"(null)";
        break;
      }
      case L'd': {
        const int value = va_arg(arguments, int);
        // Negate in unsigned arithmetic so that INT_MIN does not overflow.
        const unsigned magnitude =
            value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
        PutNumber(&out, value < 0, Digits(magnitude, 10), width);
        break;
      }
      case L'x':
        PutNumber(&out, false, Digits(va_arg(arguments, unsigned), 16), width);
        break;
      case L'%':
        out += L'%';
        break;
      default:
        out += L'%';  // starts no conversion: the text as it stands
        continue;
    }
    p = conversion;
  }
  return out;
}
