// Small wide-text helpers shared by the whole plug-in. Each bounded operation
// takes its destination's capacity in characters, terminator included, and
// never writes past it.
#pragma once

// Length of a zero-terminated text.
int TextLength(const wchar_t *text);

// Copies source into destination (capacity characters, terminator included),
// cutting it short if need be; the result is always terminated. Returns 0, or
// -1 when the text had to be cut.
int CopyText(wchar_t *destination, const wchar_t *source, int capacity);

// Appends source to the text in destination within capacity characters; the
// result is always terminated. Returns 0, or -1 when the text had to be cut.
int AppendText(wchar_t *destination, const wchar_t *source, int capacity);

// Fills count characters with zeros.
void ClearText(wchar_t *buffer, int count);

// Compares two texts ignoring the case of the letters A to Z only. Returns 1
// when they are equal.
int EqualsIgnoringCase(const wchar_t *a, const wchar_t *b);

// 1 when text begins with prefix, ignoring the case of A to Z.
int BeginsWithIgnoringCase(const wchar_t *text, const wchar_t *prefix);

// 1 for 0 to 9 only: Windows' iswdigit and wcstol also take other scripts'
// digits, which would make the same word mean different things.
inline int IsDecimalDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9' ? 1 : 0; }

// White space where words are split: 9 to 13, 32 and 160 among the first 256
// codes, the platform's classification above them.
int IsWhiteSpace(wchar_t ch);
