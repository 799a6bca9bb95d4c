#include "standins/host/common/utf8_text.h"

#ifdef _WIN32
#include <windows.h>

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
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
#include <cstring>
#include <cwchar>

#include "standins/posix/standin_paths.h"

std::string WideToUtf8(std::wstring_view text) {
  const std::wstring terminated(text);
  std::string result(terminated.size() * 4 + 1, '\0');
  StandinToUtf8(terminated.c_str(), result.data(), result.size());
  result.resize(std::strlen(result.c_str()));
  return result;
}

std::wstring Utf8ToWide(std::string_view text) {
  const std::string terminated(text);
  std::wstring result(terminated.size() + 1, L'\0');
  StandinFromUtf8(terminated.c_str(), result.data(), result.size());
  result.resize(std::wcslen(result.c_str()));
  return result;
}
#endif
