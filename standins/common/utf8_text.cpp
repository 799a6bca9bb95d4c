#include "standins/common/utf8_text.h"

#ifdef _WIN32
#include <windows.h>

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, result.data(), bytes, nullptr, nullptr);
  return result;
}

std::wstring Utf8ToWide(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int chars = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(chars), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, result.data(), chars);
  return result;
}

#else
#include <algorithm>
#include <cstdint>

std::string WideToUtf8(std::wstring_view text) {
  static const unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};  // by the number of bytes that follow
  std::string out;
  for (const wchar_t c : text) {
    auto code = static_cast<std::uint32_t>(c);
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
    const int extra = code < 0x80 ? 0 : code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    out += static_cast<char>(kLead[extra] | (code >> (6 * extra)));
    for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6)
      out += static_cast<char>(0x80 | ((code >> shift) & 0x3F));
  }
  return out;
}

std::wstring Utf8ToWide(std::string_view text) {
  std::wstring out;
  std::size_t at = 0;
  while (at < text.size()) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    std::uint32_t code = 0xFFFD;
    int extra = 0;
    if (lead < 0x80) {
      code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      code = lead & 0x1F;
      extra = 1;
    } else if ((lead & 0xF0) == 0xE0) {
      code = lead & 0x0F;
      extra = 2;
    } else if ((lead & 0xF8) == 0xF0) {
      code = lead & 0x07;
      extra = 3;
    }
    // A byte that does not continue the sequence ends it as U+FFFD and starts the next.
    for (; extra > 0; --extra, ++at) {
      if (at == text.size() || (text[at] & 0xC0) != 0x80) {
        code = 0xFFFD;
        break;
      }
      code = (code << 6) | (text[at] & 0x3F);
    }
    out += static_cast<wchar_t>(code);
  }
  return out;
}

std::string PosixPath(std::wstring_view path) {
  std::string posix = WideToUtf8(path);
  std::replace(posix.begin(), posix.end(), '\\', '/');
  return posix;
}
#endif
