#include "standins/host/takecmd/wide_format.h"

// Beyond any width a format of the plug-in's uses; keeps a typo from asking
// for gigabytes of padding.
constexpr int kMaxWidth = 1024;

static void Pad(std::wstring *out, int count, wchar_t fill) {
  if (count > 0) out->append(static_cast<std::size_t>(count), fill);
}

static std::wstring Digits(unsigned value, unsigned base) {
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

static void PutNumber(std::wstring *out, bool negative, const std::wstring &digits, int width,
                      bool zeroPad) {
  const int length = static_cast<int>(digits.size()) + (negative ? 1 : 0);
  if (!zeroPad) Pad(out, width - length, L' ');
  if (negative) *out += L'-';
  if (zeroPad) Pad(out, width - length, L'0');
  *out += digits;
}

std::wstring FormatWide(const wchar_t *format, va_list arguments) {
  std::wstring out;
  if (!format) return out;
  const wchar_t *p = format;
  while (*p != L'\0') {
    if (*p != L'%') {
      out += *p++;
      continue;
    }
    const wchar_t *start = p++;
    bool zeroPad = false;
    while (*p == L'0') {
      zeroPad = true;
      ++p;
    }
    int width = 0;
    while (*p >= L'0' && *p <= L'9') {
      if (width < kMaxWidth) width = width * 10 + (*p - L'0');
      ++p;
    }
    if (width > kMaxWidth) width = kMaxWidth;
    switch (*p) {
      case L's': {
        const wchar_t *text = va_arg(arguments, const wchar_t *);
        const std::wstring value = text ? text : L"(null)";
        Pad(&out, width - static_cast<int>(value.size()), L' ');
        out += value;
        break;
      }
      case L'd': {
        const int value = va_arg(arguments, int);
        // Negate in unsigned arithmetic so that INT_MIN does not overflow.
        const unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
        PutNumber(&out, value < 0, Digits(magnitude, 10), width, zeroPad);
        break;
      }
      case L'u':
        PutNumber(&out, false, Digits(va_arg(arguments, unsigned), 10), width, zeroPad);
        break;
      case L'x':
        PutNumber(&out, false, Digits(va_arg(arguments, unsigned), 16), width, zeroPad);
        break;
      case L'c':
        Pad(&out, width - 1, L' ');
        out += static_cast<wchar_t>(va_arg(arguments, int));
        break;
      case L'%':
        out += L'%';
        break;
      case L'\0':
        out.append(start, p);  // the format ends inside a conversion
        return out;
      default:
        out.append(start, p + 1);
        break;
    }
    ++p;
  }
  return out;
}
