// The tokenizer on tables of tails: what a peek and a consuming call give,
// and what each leaves in the tail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command/next_word.h"

namespace {

struct Case {
  const wchar_t *tail;
  const wchar_t *word;
  int result;
  const wchar_t *after;  // the tail after a consuming call
};

std::wstring Show(const wchar_t *text) {
  std::wstring shown;
  for (; *text != L'\0'; ++text) {
    if (*text < 32 || *text > 126)
      shown += L"\\u" + std::to_wstring(static_cast<unsigned>(*text));
    else
      shown += *text;
  }
  return shown;
}

// Tails written as the user types them; trailing blanks are spelt out.
const Case kCases[] = {
    {L"", L"", kNoWord, L""},
    {L"   ", L"", kNoWord, L"   "},
    {L" \t \t", L"", kNoWord, L" \t \t"},
    {L"\r\n\v\f", L"", kNoWord, L"\r\n\v\f"},
    {L"\u00a0", L"", kNoWord, L"\u00a0"},
    {L"  5  minutes   echo hi  ", L"5", kWordAndMore, L"minutes   echo hi"},
    {L"minutes   echo hi", L"minutes", kWordAndMore, L"echo hi"},
    {L"hours   ", L"hours", kLastWord, L""},
    {L"hours", L"hours", kLastWord, L""},
    {L"\"C:\\Program Files\\Tools\" echo hi", L"C:\\Program Files\\Tools", kWordAndMore,
     L"echo hi"},
    {L"\"\"", L"", kLastWord, L""},
    {L"  \"\"  x", L"", kWordAndMore, L"x"},
    {L"\"\"\"\"", L"", kLastWord, L""},
    {L"ab\"c d\"e f", L"abc de", kWordAndMore, L"f"},
    {L"\"a b  ", L"a b  ", kLastWord, L""},
    {L"a\" b", L"a b", kLastWord, L""},
    {L"a\"", L"a", kLastWord, L""},
    {L"\"a b\"c d", L"a bc", kWordAndMore, L"d"},
    // The remainder keeps its quotes and inner spacing; only white space
    // outside quotes is trimmed from its end.
    {L"x echo \"a b\"   ", L"x", kWordAndMore, L"echo \"a b\""},
    {L"x echo \"a   ", L"x", kWordAndMore, L"echo \"a   "},
    {L"x \"a \"  ", L"x", kWordAndMore, L"\"a \""},
    {L"x \"\"  ", L"x", kWordAndMore, L"\"\""},
    {L"x a\"b c\" d\"  ", L"x", kWordAndMore, L"a\"b c\" d\"  "},
    {L"x a  \t b \t ", L"x", kWordAndMore, L"a  \t b"},
    {L"x 'a b'", L"x", kWordAndMore, L"'a b'"},
    {L"'a b'", L"'a", kWordAndMore, L"b'"},
    {L"`a b`", L"`a", kWordAndMore, L"b`"},
    // Every white space character of the first 256 separates words; glibc's
    // iswspace(160) is false, Windows' true: the no-break space must split.
    {L"a\tb", L"a", kWordAndMore, L"b"},
    {L"a\u00a0b", L"a", kWordAndMore, L"b"},
    {L"\u00a0a\u00a0\u00a0b\u00a0", L"a", kWordAndMore, L"b"},
    {L"a\nb", L"a", kWordAndMore, L"b"},
    {L"a\rb", L"a", kWordAndMore, L"b"},
    {L"a\vb", L"a", kWordAndMore, L"b"},
    {L"a\fb", L"a", kWordAndMore, L"b"},
    {L"x y\u00a0\t", L"x", kWordAndMore, L"y"},
    {L"x \"y\u00a0\t", L"x", kWordAndMore, L"\"y\u00a0\t"},
    // Not white space here, whatever a C library may say of them.
    {L"a\u0085b", L"a\u0085b", kLastWord, L""},
    {L"a\u001cb", L"a\u001cb", kLastWord, L""},
    {L"a\u0008b", L"a\u0008b", kLastWord, L""},
};

TEST(NextWord, ConsumeTakesTheWordOffTheTail) {
  for (const Case &c : kCases) {
    std::vector<wchar_t> tail(c.tail, c.tail + std::wcslen(c.tail) + 1);
    wchar_t word[kWordBufferChars] = L"junk";
    const int result = NextWord(tail.data(), word, 1);
    EXPECT_EQ(result, c.result) << Show(c.tail);
    EXPECT_EQ(std::wstring(word), c.word) << Show(c.tail);
    EXPECT_EQ(std::wstring(tail.data()), c.after) << Show(c.tail);
  }
}

TEST(NextWord, PeekGivesTheSameWordAndLeavesTheTail) {
  for (const Case &c : kCases) {
    std::vector<wchar_t> tail(c.tail, c.tail + std::wcslen(c.tail) + 1);
    wchar_t word[kWordBufferChars] = L"junk";
    const int result = NextWord(tail.data(), word, 0);
    EXPECT_EQ(result, c.result) << Show(c.tail);
    EXPECT_EQ(std::wstring(word), c.word) << Show(c.tail);
    EXPECT_EQ(std::wstring(tail.data()), c.tail) << Show(c.tail);
  }
}

TEST(NextWord, TakesAWholeCommandWordByWord) {
  wchar_t tail[] = L"  for 5  Minutes then in \"C:\\My Dir\"  echo \"a  b\" c  ";
  wchar_t word[kWordBufferChars];
  const struct {
    const wchar_t *word;
    int result;
    const wchar_t *after;
  } steps[] = {
      {L"for", kWordAndMore, L"5  Minutes then in \"C:\\My Dir\"  echo \"a  b\" c"},
      {L"5", kWordAndMore, L"Minutes then in \"C:\\My Dir\"  echo \"a  b\" c"},
      {L"Minutes", kWordAndMore, L"then in \"C:\\My Dir\"  echo \"a  b\" c"},
      {L"then", kWordAndMore, L"in \"C:\\My Dir\"  echo \"a  b\" c"},
      {L"in", kWordAndMore, L"\"C:\\My Dir\"  echo \"a  b\" c"},
      {L"C:\\My Dir", kWordAndMore, L"echo \"a  b\" c"},
      {L"echo", kWordAndMore, L"\"a  b\" c"},
      {L"a  b", kWordAndMore, L"c"},
      {L"c", kLastWord, L""},
      {L"", kNoWord, L""},
  };
  for (const auto &step : steps) {
    EXPECT_EQ(NextWord(tail, word, 1), step.result) << step.word;
    EXPECT_STREQ(word, step.word);
    EXPECT_STREQ(tail, step.after);
  }
}

// A word longer than a word buffer is cut to kWordBufferChars - 1 characters
// and its rest dropped; neither buffer is written past its end.
TEST(NextWord, CutsAnOverlongWordWithinItsBuffer) {
  const wchar_t guard = L'#';
  for (const bool quoted : {false, true}) {
    std::wstring text = quoted ? L"\"" : L"";
    text += std::wstring(kWordBufferChars + 100, L'a');
    text += quoted ? L" a\" rest  " : L" rest  ";
    const std::wstring expected =
        std::wstring(text.begin() + (quoted ? 1 : 0), text.end()).substr(0, kWordBufferChars - 1);
    for (const int consume : {0, 1}) {
      std::vector<wchar_t> tail(text.begin(), text.end());
      tail.push_back(L'\0');
      std::vector<wchar_t> word(kWordBufferChars + 8, guard);
      EXPECT_EQ(NextWord(tail.data(), word.data(), consume), kWordAndMore);
      EXPECT_EQ(std::wstring(word.data()), expected);
      for (int i = kWordBufferChars; i < kWordBufferChars + 8; ++i) EXPECT_EQ(word[i], guard);
      EXPECT_EQ(std::wstring(tail.data()), consume ? L"rest" : text);
    }
  }
}

// A word buffer sized for the tail alone is enough.
TEST(NextWord, NeedsNoMoreRoomThanTheTail) {
  for (const wchar_t *text : {L"abc", L"\"abc", L"  a\"b\"c  ", L"\"\""}) {
    std::vector<wchar_t> tail(text, text + std::wcslen(text) + 1);
    std::vector<wchar_t> word(tail.size() + 4, L'#');
    NextWord(tail.data(), word.data(), 1);
    for (std::size_t i = tail.size(); i < word.size(); ++i) EXPECT_EQ(word[i], L'#') << text;
  }
}

}  // namespace
