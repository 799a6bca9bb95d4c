// Reads a count: a whole number written in decimal, or in hexadecimal after
// "0x" or "0X".
#pragma once

// Largest count; greater values saturate to it.
constexpr int kMaxCount = 2147483647;

// The value of text, 0 to kMaxCount, or -1 when text is not a count: empty,
// not starting with a digit, or holding anything after the number.
int ParseCount(const wchar_t *text);
