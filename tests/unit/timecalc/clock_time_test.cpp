#include <gtest/gtest.h>

#include <string>

#include "tests/unit/timecalc/civil_oracle.h"
#include "timecalc/clock_time.h"
#include "timecalc/is_in_future.h"
#include "timecalc/local_now.h"

using namespace oracle;

namespace {

const SYSTEMTIME DefaultNow = Time(2016, 3, 1, 10, 30, 5, 0);

std::string Narrow(const wchar_t *text) {
  std::string narrow;
  for (; *text; ++text) narrow += *text < 128 ? static_cast<char>(*text) : '?';
  return narrow;
}

}  // namespace

TEST(IsDateSeparator, OnlyHyphenDotAndSlash) {
  for (unsigned ch = 0; ch < 0x10000; ++ch) {
    const bool separator = ch == '-' || ch == '.' || ch == '/';
    ASSERT_EQ(IsDateSeparator(static_cast<wchar_t>(ch)), separator ? 1 : 0) << ch;
  }
  if constexpr (sizeof(wchar_t) > 2) {
    EXPECT_EQ(IsDateSeparator(static_cast<wchar_t>(0x1002D)), 0);
  }
}

TEST(ParseClockTime, AcceptedTextsFillAllEightFields) {
  struct Row {
    const wchar_t *text;
    SYSTEMTIME now;
    SYSTEMTIME expected;
  };
  const Row rows[] = {
      {L"10:31", DefaultNow, Time(2016, 3, 1, 10, 31)},
      {L"10:30", DefaultNow, Time(2016, 3, 2, 10, 30)},
      {L"10:29", DefaultNow, Time(2016, 3, 2, 10, 29)},
      {L"10:30:45", DefaultNow, Time(2016, 3, 2, 10, 30, 45)},
      {L"0:00", DefaultNow, Time(2016, 3, 2, 0, 0)},
      {L"1:00", Time(2015, 12, 31, 23, 0), Time(2016, 1, 1, 1, 0)},
      {L"6:00", Time(2016, 2, 28, 22, 0), Time(2016, 2, 29, 6, 0)},
      {L"6:00", Time(2015, 2, 28, 22, 0), Time(2015, 3, 1, 6, 0)},
      {L"12:00A", DefaultNow, Time(2016, 3, 2, 0, 0)},
      {L"12:00am", DefaultNow, Time(2016, 3, 2, 0, 0)},
      {L"12:00P", DefaultNow, Time(2016, 3, 1, 12, 0)},
      {L"12:15pm", DefaultNow, Time(2016, 3, 1, 12, 15)},
      {L"11:59:59PM", DefaultNow, Time(2016, 3, 1, 23, 59, 59)},
      {L"1:00a", DefaultNow, Time(2016, 3, 2, 1, 0)},
      {L"10:30Pxyz 7", DefaultNow, Time(2016, 3, 1, 22, 30)},
      // The day is chosen on the converted hour.
      {L"10:31A", DefaultNow, Time(2016, 3, 1, 10, 31)},
      {L"10:30a", DefaultNow, Time(2016, 3, 2, 10, 30)},
      {L"7.30", DefaultNow, Time(2016, 3, 2, 7, 30)},
      {L"10:30.15", DefaultNow, Time(2016, 3, 2, 10, 30, 15)},
      {L"007:05", DefaultNow, Time(2016, 3, 2, 7, 5)},
      {L"00000000000000000000000000023:000000000000000000000059", DefaultNow,
       Time(2016, 3, 1, 23, 59)},
      {L"2016-03-05@9:00", DefaultNow, Time(2016, 3, 5, 9, 0)},
      {L"2016/3.5@9.00", DefaultNow, Time(2016, 3, 5, 9, 0)},
      {L"2016.03-05@09:00:01p", DefaultNow, Time(2016, 3, 5, 21, 0, 1)},
      {L"2016-02-29@9:00", DefaultNow, Time(2016, 2, 29, 9, 0)},
      {L"2000-02-29@0:00", DefaultNow, Time(2000, 2, 29, 0, 0)},
      {L"1601-01-01@0:00", DefaultNow, Time(1601, 1, 1, 0, 0)},
      {L"4000-12-31@23:59", DefaultNow, Time(4000, 12, 31, 23, 59)},
      {L"23:01", Time(4000, 12, 31, 23, 0, 59), Time(4000, 12, 31, 23, 1)},
      // A date needs no valid clock: only an undated time looks at LocalNow.
      {L"2016-03-05@9:00", Time(0, 0, 0), Time(2016, 3, 5, 9, 0)},
  };
  for (const Row &row : rows) {
    LocalNow = row.now;
    SYSTEMTIME target = Time(1999, 9, 9, 9, 9, 9, 999);
    SYSTEMTIME expected = row.expected;
    expected.wMilliseconds = 0;
    expected.wDayOfWeek = static_cast<WORD>(weekday{DayOf(expected)}.c_encoding());
    EXPECT_EQ(ParseClockTime(row.text, &target), 0) << Narrow(row.text);
    EXPECT_TRUE(SameBytes(target, expected))
        << Narrow(row.text) << " gave " << target.wYear << '-' << target.wMonth << '-'
        << target.wDay << ' ' << target.wHour << ':' << target.wMinute << ':' << target.wSecond
        << " dow " << target.wDayOfWeek << " ms " << target.wMilliseconds;
  }
}

TEST(ParseClockTime, RejectedTextsLeaveTheTargetAlone) {
  struct Row {
    const wchar_t *text;
    SYSTEMTIME now;
  };
  const Row rows[] = {
      {nullptr, DefaultNow},
      {L"", DefaultNow},
      {L"0:30A", DefaultNow},
      {L"13:00P", DefaultNow},
      {L"10:00Q", DefaultNow},
      {L"10:00 ", DefaultNow},
      {L" 10:00", DefaultNow},
      {L"+10:00", DefaultNow},
      {L"-10:00", DefaultNow},
      {L"10:+30", DefaultNow},
      {L"10: 30", DefaultNow},
      {L"10:30: 5", DefaultNow},
      {L"10:30 P", DefaultNow},
      {L"10-30", DefaultNow},
      {L"10", DefaultNow},
      {L"10:", DefaultNow},
      {L"10:30:", DefaultNow},
      {L"10:30:15:00", DefaultNow},
      {L"24:00", DefaultNow},
      {L"10:60", DefaultNow},
      {L"10:30:60", DefaultNow},
      {L"12:60P", DefaultNow},
      {L"2000:30", DefaultNow},
      {L"1601:00", DefaultNow},
      {L"2015-02-29@9:00", DefaultNow},
      {L"2100-02-29@9:00", DefaultNow},
      {L"1900-02-29@9:00", DefaultNow},
      {L"2016-04-31@9:00", DefaultNow},
      {L"2016-00-10@9:00", DefaultNow},
      {L"2016-13-10@9:00", DefaultNow},
      {L"2016-03-00@9:00", DefaultNow},
      {L"2016-03-05", DefaultNow},
      {L"2016-03-05@", DefaultNow},
      {L"2016:03:05@9:00", DefaultNow},
      {L"2016-03-05 9:00", DefaultNow},
      {L"2016--03-05@9:00", DefaultNow},
      {L"2016-03-05@24:00", DefaultNow},
      {L"2016-03-05@13:00p", DefaultNow},
      {L"4001-01-01@00:00", DefaultNow},
      {L"1600-12-31@00:00", DefaultNow},
      // Digits of other scripts are not digits here, on any platform.
      {L"\xFF11\xFF10:30", DefaultNow},
      {L"1\x0660:30", DefaultNow},
      {L"\x00B2:30", DefaultNow},
      // Numbers beyond 32 bits must not wrap into range (2^32 + 2000, 2^32 + 10, ...).
      {L"4294969296:00", DefaultNow},
      {L"4294969296-03-05@9:00", DefaultNow},
      {L"4294967306:00", DefaultNow},
      {L"18446744073709551626:00", DefaultNow},
      {L"99999999999999999999:00", DefaultNow},
      {L"10:4294967356", DefaultNow},
      {L"10:4294967326", DefaultNow},
      {L"10:30:4294967301", DefaultNow},
      {L"2016-4294967299-05@9:00", DefaultNow},
      {L"2016-03-4294967297@9:00", DefaultNow},
      {L"2016-03-05@4294967305:00", DefaultNow},
      {L"4294967308:00P", DefaultNow},
      {L"2147483648:00", DefaultNow},
      {L"10:2147483648", DefaultNow},
      // Tomorrow of the last day has no date; a clock outside the calendar has no today.
      {L"23:00", Time(4000, 12, 31, 23, 0)},
      {L"22:00", Time(4000, 12, 31, 23, 0)},
      {L"10:00", Time(0, 0, 0)},
      {L"10:00", Time(1600, 12, 31, 9, 0)},
      {L"10:00", Time(2015, 2, 29, 9, 0)},
  };
  for (const Row &row : rows) {
    LocalNow = row.now;
    SYSTEMTIME target = Time(1999, 9, 9, 9, 9, 9, 999);
    const SYSTEMTIME before = target;
    EXPECT_EQ(ParseClockTime(row.text, &target), -1) << (row.text ? Narrow(row.text) : "(none)");
    EXPECT_TRUE(SameBytes(target, before)) << (row.text ? Narrow(row.text) : "(none)");
  }
  LocalNow = DefaultNow;
  EXPECT_EQ(ParseClockTime(L"10:31", nullptr), -1);
}

TEST(ParseClockTime, AnUndatedTimeIsItsNextOccurrenceAfterTheCurrentMinute) {
  for (const SYSTEMTIME &now : {Time(2016, 3, 1, 10, 30, 5), Time(2015, 12, 31, 23, 59, 59, 999),
                                Time(2016, 2, 28, 0, 0, 0), Time(1601, 1, 1, 0, 0, 0)}) {
    LocalNow = now;
    const sys_minutes currentMinute = floor<minutes>(MomentOf(now));
    for (int minute = 0; minute < 1440; ++minute)
      for (int second : {0, 59}) {
        const std::wstring text = std::to_wstring(minute / 60) + L":" +
                                  std::to_wstring(minute % 60) + L":" + std::to_wstring(second);
        SYSTEMTIME target;
        ASSERT_EQ(ParseClockTime(text.c_str(), &target), 0) << minute;
        const minutes ahead = floor<minutes>(MomentOf(target)) - currentMinute;
        ASSERT_GT(ahead.count(), 0) << minute;
        ASSERT_LE(ahead.count(), 1440) << minute;
        ASSERT_EQ(target.wSecond, second);
        ASSERT_EQ(IsInFuture(&target), 1) << minute;
      }
  }
}
