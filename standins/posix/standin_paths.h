// UTF-8 into a wide text in a buffer, for callers that keep to C: the
// conversion of Utf8ToWide (standins/common/utf8_text.h).
#pragma once

#include <cstddef>

extern "C" {
// Writes the wide text into out (capacity characters, terminator included).
// Returns 0, or -1 when it did not fit (out then holds "").
int StandinFromUtf8(const char *text, wchar_t *out, std::size_t capacity);
}
