#include "standins/posix/standin_paths.h"

#include <cwchar>

#include "standins/common/utf8_text.h"

int StandinFromUtf8(const char *text, wchar_t *out, std::size_t capacity) {
  if (capacity == 0) return -1;
  const std::wstring wide = Utf8ToWide(text);
  if (wide.size() >= capacity) {
    out[0] = L'\0';
    return -1;
  }
  std::wmemcpy(out, wide.c_str(), wide.size() + 1);
  return 0;
}
