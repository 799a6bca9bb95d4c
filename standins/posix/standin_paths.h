// Windows paths and texts on a POSIX file system: backslashes become slashes
// (as Wine maps them) and wide texts become UTF-8 bytes.
#pragma once

#include <cstddef>

extern "C" {
// Converts a wide text to UTF-8 into out (capacity bytes, terminator
// included). Returns 0, or -1 when it did not fit (out then holds "").
int StandinToUtf8(const wchar_t *text, char *out, std::size_t capacity);
// Converts UTF-8 to a wide text into out (capacity characters). Invalid bytes
// become U+FFFD. Returns 0, or -1 when it did not fit (out then holds "").
int StandinFromUtf8(const char *text, wchar_t *out, std::size_t capacity);
// A Windows path as a POSIX path in UTF-8: every backslash becomes a slash.
int StandinPosixPath(const wchar_t *path, char *out, std::size_t capacity);
}
