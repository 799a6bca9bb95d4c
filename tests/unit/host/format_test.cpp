// The host's formatter, through Sprintf: the same results on every platform.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "hostapi/host_services.h"

namespace {

struct Formatted {
  std::wstring text;
  int result;
};

template <typename... Arguments>
Formatted Format(const wchar_t *format, Arguments... arguments) {
  static wchar_t buffer[kHostBufferChars];
  const int result = Sprintf(buffer, format, arguments...);
  return {buffer, result};
}

TEST(Formatter, EveryConversionAndZeroPadding) {
  const struct {
    Formatted actual;
    const wchar_t *expected;
  } cases[] = {
      {Format(L"plain text"), L"plain text"},
      {Format(L"%d", 0), L"0"},
      {Format(L"%d", 42), L"42"},
      {Format(L"%d", -7), L"-7"},
      {Format(L"%d", INT_MAX), L"2147483647"},
      {Format(L"%d", INT_MIN), L"-2147483648"},
      {Format(L"%02d", 5), L"05"},
      {Format(L"%02d", 123), L"123"},
      {Format(L"%04d", 2024), L"2024"},
      {Format(L"%04d", -5), L"-005"},
      {Format(L"%x", 0x80070050u), L"80070050"},
      {Format(L"%x", 0u), L"0"},
      {Format(L"%x", 255u), L"ff"},
      {Format(L"%x", -1), L"ffffffff"},
      {Format(L"%08x", 0x50u), L"00000050"},
      {Format(L"%08x", 0xdeadbeefu), L"deadbeef"},
      {Format(L"%s", L"Gr\u00fc\u00dfe \u20ac \U0001F600"), L"Gr\u00fc\u00dfe \u20ac \U0001F600"},
      {Format(L"%s", L""), L""},
      {Format(L"%s", static_cast<const wchar_t *>(nullptr)), L"(null)"},
      {Format(L"%s", L"100% %d"), L"100% %d"},  // an argument is never a format
      {Format(L"%%"), L"%"},
      {Format(L"100%%"), L"100%"},
      {Format(L"50%"), L"50%"},  // a format that ends inside a conversion
      {Format(L"%ld|%4d|%05s|%u|%d", 5),
       L"%ld|%4d|%05s|%u|5"},  // the rest stays, taking no argument
      {Format(L"Tardo v%d.%d.%d loaded.\n", 1, 20, 300), L"Tardo v1.20.300 loaded.\n"},
      {Format(L"[%04d-%02d-%02d %02d:%02d]  %s\n", 2024, 3, 5, 7, 9, L"echo hi"),
       L"[2024-03-05 07:09]  echo hi\n"},
      {Format(L"Tardo-%08x.job", 0x0badf00du), L"Tardo-0badf00d.job"},
      {Format(L"%s returned: 0x%x\r\n", L"SetFlags()", 0x80041318u),
       L"SetFlags() returned: 0x80041318\r\n"},
  };
  for (const auto &test : cases) {
    EXPECT_EQ(test.actual.text, test.expected);
    EXPECT_EQ(test.actual.result, static_cast<int>(std::wstring(test.expected).size()))
        << test.expected;
  }
}

}  // namespace
