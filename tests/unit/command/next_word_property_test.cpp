// Random tails over the characters that matter to the tokenizer: a peek
// always announces exactly what the following consuming call takes, and the
// tail only ever shrinks.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "command/next_word.h"
#include "hostapi/wide_text.h"

namespace {

constexpr wchar_t kAlphabet[] = {L'a', L'b', L'Z', L' ', L' ', L'\t', L'\u00a0', L'"', L'"'};

std::wstring RandomTail(std::mt19937 &random) {
  std::uniform_int_distribution<int> length(0, 40);
  std::uniform_int_distribution<int> pick(0, sizeof(kAlphabet) / sizeof(kAlphabet[0]) - 1);
  std::wstring tail;
  for (int n = length(random); n > 0; --n) tail += kAlphabet[pick(random)];
  return tail;
}

TEST(NextWordProperty, PeekAgreesWithConsumeAndTheTailShrinks) {
  std::mt19937 random(20240611);
  wchar_t tail[64];
  wchar_t peeked[kWordBufferChars];
  wchar_t taken[kWordBufferChars];
  for (int round = 0; round < 20000; ++round) {
    const std::wstring start = RandomTail(random);
    std::wcscpy(tail, start.c_str());
    for (int step = 0;; ++step) {
      ASSERT_LT(step, 64) << start;
      const std::wstring before = tail;
      const int peek = NextWord(tail, peeked, 0);
      ASSERT_EQ(before, tail) << start;
      const int consume = NextWord(tail, taken, 1);
      ASSERT_EQ(peek, consume) << start;
      ASSERT_STREQ(peeked, taken) << start;
      const int length = TextLength(tail);
      if (consume == kNoWord) {
        ASSERT_EQ(before, tail) << start;
        break;
      }
      ASSERT_LT(static_cast<std::size_t>(length), before.size()) << start;
      if (consume == kLastWord) {
        ASSERT_EQ(length, 0) << start;
        break;
      }
      // What is left starts on a word, and ends in white space only when a
      // quote in it is left open.
      ASSERT_GT(length, 0) << start;
      ASSERT_FALSE(IsWhiteSpace(tail[0])) << start;
      if (IsWhiteSpace(tail[length - 1])) {
        int quotes = 0;
        for (int i = 0; i < length; ++i) quotes += tail[i] == L'"';
        ASSERT_EQ(quotes % 2, 1) << start;
      }
    }
  }
}

}  // namespace
