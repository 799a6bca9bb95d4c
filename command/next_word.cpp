#include "command/next_word.h"

#include "hostapi/wide_text.h"

namespace {

constexpr wchar_t kQuote = L'"';

const wchar_t *SkipWhiteSpace(const wchar_t *at) {
  while (IsWhiteSpace(*at)) ++at;
  return at;
}

// Copies the word that starts at `at` into word, without its quotes, and
// returns the position after it (past the one white space character that
// ended it, if any).
const wchar_t *ReadWord(const wchar_t *at, wchar_t *word) {
  int length = 0;
  int quoted = 0;
  for (;; ++at) {
    const wchar_t ch = *at;
    if (ch == L'\0') return at;
    if (ch == kQuote) {
      quoted = !quoted;
      continue;
    }
    if (!quoted && IsWhiteSpace(ch)) return at + 1;
    if (length < kWordBufferChars - 1) {
      word[length++] = ch;
      word[length] = L'\0';
    }
  }
}

// Ends the remainder after its last significant character: one that is not
// white space (every quote among them), or any character while a quote is
// open, so that blanks after an unclosed quote are kept.
void TrimRemainder(wchar_t *remainder) {
  int quoted = 0;
  int end = 0;
  for (int i = 0; remainder[i] != L'\0'; ++i) {
    if (remainder[i] == kQuote) quoted = !quoted;
    if (quoted || !IsWhiteSpace(remainder[i])) end = i + 1;
  }
  remainder[end] = L'\0';
}

}  // namespace

int NextWord(wchar_t *tail, wchar_t *word, int consume) {
  word[0] = L'\0';
  const wchar_t *start = SkipWhiteSpace(tail);
  if (*start == L'\0') return kNoWord;

  const wchar_t *remainder = SkipWhiteSpace(ReadWord(start, word));
  if (!consume) return *remainder == L'\0' ? kLastWord : kWordAndMore;
  if (*remainder == L'\0') {
    tail[0] = L'\0';
    return kLastWord;
  }

  // The remainder lies at least one character past the tail's start, so a
  // forward copy moves it safely within the same buffer.
  const int offset = static_cast<int>(remainder - tail);
  TrimRemainder(tail + offset);
  int i = 0;
  do {
    tail[i] = tail[i + offset];
  } while (tail[i++] != L'\0');
  return kWordAndMore;
}
