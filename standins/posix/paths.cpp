#include "standins/posix/standin_paths.h"

#include <cstdint>

static bool Put(char *out, std::size_t capacity, std::size_t *at, char byte) {
  if (*at + 1 >= capacity) return false;
  out[(*at)++] = byte;
  return true;
}

int StandinToUtf8(const wchar_t *text, char *out, std::size_t capacity) {
  if (capacity == 0) return -1;
  std::size_t at = 0;
  for (const wchar_t *p = text; *p != L'\0'; ++p) {
    auto code = static_cast<std::uint32_t>(*p);
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
    bool ok;
    if (code < 0x80) {
      ok = Put(out, capacity, &at, static_cast<char>(code));
    } else if (code < 0x800) {
      ok = Put(out, capacity, &at, static_cast<char>(0xC0 | (code >> 6))) &&
           Put(out, capacity, &at, static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      ok = Put(out, capacity, &at, static_cast<char>(0xE0 | (code >> 12))) &&
           Put(out, capacity, &at, static_cast<char>(0x80 | ((code >> 6) & 0x3F))) &&
           Put(out, capacity, &at, static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      ok = Put(out, capacity, &at, static_cast<char>(0xF0 | (code >> 18))) &&
           Put(out, capacity, &at, static_cast<char>(0x80 | ((code >> 12) & 0x3F))) &&
           Put(out, capacity, &at, static_cast<char>(0x80 | ((code >> 6) & 0x3F))) &&
           Put(out, capacity, &at, static_cast<char>(0x80 | (code & 0x3F)));
    }
    if (!ok) {
      out[0] = '\0';
      return -1;
    }
  }
  out[at] = '\0';
  return 0;
}

int StandinFromUtf8(const char *text, wchar_t *out, std::size_t capacity) {
  if (capacity == 0) return -1;
  std::size_t at = 0;
  const auto *p = reinterpret_cast<const unsigned char *>(text);
  while (*p != 0) {
    std::uint32_t code = 0xFFFD;
    int extra = 0;
    if (*p < 0x80) {
      code = *p;
    } else if ((*p & 0xE0) == 0xC0) {
      code = *p & 0x1F;
      extra = 1;
    } else if ((*p & 0xF0) == 0xE0) {
      code = *p & 0x0F;
      extra = 2;
    } else if ((*p & 0xF8) == 0xF0) {
      code = *p & 0x07;
      extra = 3;
    }
    ++p;
    for (int i = 0; i < extra; ++i) {
      if ((*p & 0xC0) != 0x80) {
        code = 0xFFFD;
        break;
      }
      code = (code << 6) | (*p & 0x3F);
      ++p;
    }
    if (at + 1 >= capacity) {
      out[0] = L'\0';
      return -1;
    }
    out[at++] = static_cast<wchar_t>(code);
  }
  out[at] = L'\0';
  return 0;
}

int StandinPosixPath(const wchar_t *path, char *out, std::size_t capacity) {
  if (StandinToUtf8(path, out, capacity) != 0) return -1;
  for (char *p = out; *p != '\0'; ++p)
    if (*p == '\\') *p = '/';
  return 0;
}
