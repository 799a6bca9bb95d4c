// Wide texts as UTF-8 bytes and back, for the console, files and the POSIX
// environment. Invalid input becomes U+FFFD rather than failing.
#pragma once

#include <string>
#include <string_view>

std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);
