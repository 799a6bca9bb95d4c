#include "hostapi/wide_text.h"

#include <cwctype>

int TextLength(const wchar_t *text) {
  int length = 0;
  while (text[length] != L'\0') ++length;
  return length;
}

int CopyText(wchar_t *destination, const wchar_t *source, int capacity) {
  if (capacity <= 0) return -1;
  destination[0] = L'\0';
  return AppendText(destination, source, capacity);
}

int AppendText(wchar_t *destination, const wchar_t *source, int capacity) {
  if (capacity <= 0) return -1;
  int at = 0;
  while (at < capacity - 1 && destination[at] != L'\0') ++at;
  int from = 0;
  while (source[from] != L'\0') {
    if (at >= capacity - 1) {
      destination[at] = L'\0';
      return -1;
    }
    destination[at++] = source[from++];
  }
  destination[at] = L'\0';
  return 0;
}

void ClearText(wchar_t *buffer, int count) {
  for (int i = 0; i < count; ++i) buffer[i] = L'\0';
}

namespace {

wchar_t FoldAsciiCase(wchar_t ch) {
  return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
}

}  // namespace

int EqualsIgnoringCase(const wchar_t *a, const wchar_t *b) {
  for (int i = 0;; ++i) {
    if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return 0;
    if (a[i] == L'\0') return 1;
  }
}

int BeginsWithIgnoringCase(const wchar_t *text, const wchar_t *prefix) {
  for (int i = 0; prefix[i] != L'\0'; ++i)
    if (FoldAsciiCase(text[i]) != FoldAsciiCase(prefix[i])) return 0;
  return 1;
}

int IsWhiteSpace(wchar_t ch) {
  if (ch < 256) return (ch >= 9 && ch <= 13) || ch == 32 || ch == 160;
  return std::iswspace(static_cast<wint_t>(ch)) != 0;
}
