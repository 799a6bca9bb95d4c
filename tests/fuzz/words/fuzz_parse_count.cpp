// ParseCount on arbitrary texts, against a reference that reads the digits
// one at a time with saturation (no wcstol, no long).
#include <cstdlib>

#include "command/parse_count.h"
#include "tests/fuzz/support/fuzz_text.h"

namespace {

int DigitValue(wchar_t ch, int base) {
  if (ch >= L'0' && ch <= L'9') return ch - L'0';
  if (base == 16 && ch >= L'a' && ch <= L'f') return ch - L'a' + 10;
  if (base == 16 && ch >= L'A' && ch <= L'F') return ch - L'A' + 10;
  return -1;
}

bool IsHexPrefix(const wchar_t *text) {
  return text[0] == L'0' && (text[1] == L'x' || text[1] == L'X') && DigitValue(text[2], 16) >= 0;
}

int ReferenceCount(const wchar_t *text) {
  if (DigitValue(text[0], 10) < 0) return -1;
  int base = 10;
  if (IsHexPrefix(text)) {
    base = 16;
    text += 2;
    if (IsHexPrefix(text)) text += 2;  // base-16 conversion takes one prefix of its own
  }
  long long value = 0;
  for (; *text != L'\0'; ++text) {
    const int digit = DigitValue(*text, base);
    if (digit < 0) return -1;
    value = value * base + digit;
    if (value > kMaxCount) value = kMaxCount + 1LL;
  }
  return value > kMaxCount ? kMaxCount : static_cast<int>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::vector<wchar_t> text = FuzzText(data, size);
  if (ParseCount(text.data()) != ReferenceCount(text.data())) std::abort();
  return 0;
}
