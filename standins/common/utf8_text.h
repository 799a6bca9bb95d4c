// Wide texts as UTF-8 bytes and back, for the standard streams, files, job
// records and the POSIX environment. Invalid input becomes U+FFFD rather than failing.
// On Windows through WideCharToMultiByte; elsewhere this is the winapi
// stand-in's own conversion, as WideCharToMultiByte is Windows'.
#pragma once

#include <string>
#include <string_view>

std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

#ifndef _WIN32
// A Windows path as a POSIX path in UTF-8: every backslash becomes a slash,
// as Wine maps them.
std::string PosixPath(std::wstring_view path);
#endif
