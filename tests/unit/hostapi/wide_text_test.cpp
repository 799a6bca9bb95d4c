// The bounded copies and the case-blind comparison of hostapi/wide_text.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "hostapi/wide_text.h"

namespace {

TEST(WideText, BoundedCopiesCutWithinTheCapacityAndSaySo) {
  const struct {
    bool append;
    const wchar_t *before;
    const wchar_t *source;
    int capacity;
    int result;
    const wchar_t *after;
  } cases[] = {
      {false, L"#", L"x", 0, -1, L"#"},       // no room at all: nothing written
      {true, L"#", L"x", 0, -1, L"#"},        // nor appended
      {false, L"#", L"ab", 3, 0, L"ab"},      // fits exactly
      {false, L"#", L"abc", 3, -1, L"ab"},    // cut, and a terminator where it was cut
      {true, L"ab", L"c", 4, 0, L"abc"},      // fits exactly
      {true, L"ab", L"cd", 4, -1, L"abc"},    // cut
      {true, L"abcdef", L"g", 3, -1, L"ab"},  // nothing at or past the capacity, whatever was there
  };
  for (const auto &c : cases) {
    // '#' past the text, so that a terminator left out shows; every element
    // is compared, so that a write past the terminator shows too.
    wchar_t buffer[9];
    std::wmemset(buffer, L'#', 8);
    buffer[8] = L'\0';
    std::wcscpy(buffer, c.before);
    std::wstring expected(buffer, 9);  // after and its terminator over what was there
    if (c.capacity > 0)
      expected.replace(0, std::wcslen(c.after) + 1, c.after, std::wcslen(c.after) + 1);
    const int result = c.append ? AppendText(buffer, c.source, c.capacity)
                                : CopyText(buffer, c.source, c.capacity);
    EXPECT_EQ(result, c.result) << c.source << " in " << c.capacity;
    EXPECT_EQ(std::wstring(buffer, 9), expected) << c.source << " in " << c.capacity;
  }
}

TEST(WideText, EqualsIgnoringCaseFoldsAToZOnly) {
  const struct {
    const wchar_t *a;
    const wchar_t *b;
    int equal;
  } cases[] = {
      {L"tardo", L"TARDO", 1},  // both sides folded
      {L"Z", L"z", 1},
      {L"[", L"{", 0},  // the codes after Z and z
      {L"@", L"`", 0},  // and before A and a
  };
  for (const auto &c : cases) EXPECT_EQ(EqualsIgnoringCase(c.a, c.b), c.equal) << c.a << c.b;
}

}  // namespace
