// Counts on a table of texts; the same table runs where long is 64 bits
// (Linux) and 32 bits (Windows), so a value is never allowed to wrap.
#include <gtest/gtest.h>

#include "command/parse_count.h"

namespace {

struct Case {
  const wchar_t *text;
  int value;
};

const Case kCases[] = {
    {L"15", 15},
    {L"007", 7},
    {L"0", 0},
    {L"1", 1},
    {L"0x1F", 31},
    {L"0X1f", 31},
    {L"0x10", 16},
    {L"0xf", 15},
    {L"0xA", 10},
    {L"0x0x10", 16},
    {L"0X0X10", 16},
    {L"0x00000000000000000000000000000001", 1},
    {L"00000000000000000000000000000000015", 15},
    {L"2147483646", 2147483646},
    {L"2147483647", 2147483647},
    {L"0x7fffffff", 2147483647},
    // Too large: saturates, decimal or hexadecimal, however far beyond.
    {L"2147483648", 2147483647},
    {L"4294967295", 2147483647},
    {L"4294967311", 2147483647},  // 2^32 + 15: wraps to 15 if truncated
    {L"99999999999", 2147483647},
    {L"9223372036854775808", 2147483647},  // beyond a 64-bit long too
    {L"0x80000000", 2147483647},
    {L"0xFFFFFFFF", 2147483647},
    {L"0x10000000F", 2147483647},
    {L"0xFFFFFFFFFFFFFFFFFFFF", 2147483647},
    // Not counts.
    {L"", -1},
    {L"0x", -1},
    {L"0X", -1},
    {L"0xg", -1},
    {L"0x0x", -1},
    {L"0x0xg", -1},
    {L"0x1g", -1},
    {L"00x1", -1},
    {L"1x10", -1},  // only 0x or 0X starts a hexadecimal count
    {L"1.5", -1},
    {L"5m", -1},
    {L"+5", -1},
    {L"-5", -1},
    {L" 5", -1},
    {L"5 ", -1},
    {L"\t5", -1},
    {L"x5", -1},
    {L"a", -1},
    {L"1e3", -1},
    {L"12abc", -1},
    {L"0xabc", 0xabc},
    // Digits of other scripts are not read as digits anywhere, though
    // Windows' iswdigit and wcstol accept some of them.
    {L"\uff15", -1},     // full-width 5
    {L"1\uff10", -1},    // 1, full-width 0
    {L"\u0665", -1},     // Arabic-Indic 5
    {L"1\u0660", -1},    // 1, Arabic-Indic 0
    {L"\u00b2", -1},     // superscript 2
    {L"0x1\uff21", -1},  // full-width A
};

TEST(ParseCount, ReadsDecimalAndHexadecimalCounts) {
  for (const Case &c : kCases) EXPECT_EQ(ParseCount(c.text), c.value) << c.text;
}

TEST(ParseCount, NoTextIsNotACount) { EXPECT_EQ(ParseCount(nullptr), -1); }

}  // namespace
