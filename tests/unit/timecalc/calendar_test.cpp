#include <gtest/gtest.h>

#include <climits>

#include "tests/unit/timecalc/civil_oracle.h"
#include "timecalc/calendar.h"
#include "timecalc/month_table.h"

using namespace oracle;

TEST(IsLeapYear, AgreesWithChronoOverEveryYearItCanName) {
  for (int y = -32767; y <= 32767; ++y) ASSERT_EQ(IsLeapYear(y), year{y}.is_leap() ? 1 : 0) << y;
}

TEST(MonthTable, HoldsMonthLengthsThenDaysBeforeInStorageOrder) {
  const int *flat = &kMonthTable[0][0][0];
  for (int leap = 0; leap < 2; ++leap) {
    const year y{leap ? 2000 : 2001};
    EXPECT_EQ(flat[leap], 0);
    EXPECT_EQ(flat[26 + leap], 0);
    for (unsigned m = 1; m <= 12; ++m) {
      const int length = static_cast<int>(unsigned{(y / month{m} / last).day()});
      const int before =
          static_cast<int>((sys_days{y / month{m} / 1} - sys_days{y / 1 / 1}).count());
      EXPECT_EQ(flat[2 * m + leap], length) << m;
      EXPECT_EQ(flat[26 + 2 * m + leap], before) << m;
    }
  }
  static_assert(sizeof kMonthTable == 52 * sizeof(int));
}

TEST(DayNumber, KnownDatesAndInvalidOnes) {
  struct Row {
    int y, m, d, expected;
  };
  const Row rows[] = {
      {1601, 1, 1, 1},        {1601, 12, 31, 365},    {1602, 1, 1, 366},
      {2000, 1, 1, 145732},   {2000, 2, 29, 145791},  {2016, 1, 1, 151576},
      {4000, 12, 31, 876582}, {2016, 2, 29, 151635},  {4000, 2, 29, 876276},
      {1900, 2, 29, -1},      {2100, 2, 29, -1},      {2015, 4, 31, -1},
      {1600, 12, 31, -1},     {4001, 1, 1, -1},       {2016, 0, 1, -1},
      {2016, 13, 1, -1},      {2016, 1, 0, -1},       {INT_MIN, 1, 1, -1},
      {INT_MAX, 1, 1, -1},    {2016, INT_MAX, 1, -1}, {2016, 1, INT_MAX, -1},
      {2016, INT_MIN, 1, -1}, {2016, 1, INT_MIN, -1},
  };
  for (const Row &row : rows)
    EXPECT_EQ(DayNumber(row.y, row.m, row.d), row.expected)
        << row.y << '-' << row.m << '-' << row.d;
}

TEST(DayNumber, RefusesExactlyWhatChronoCallsNoDateNearTheEnds) {
  for (int y : {1599, 1600, 1601, 1700, 1900, 2000, 2015, 2016, 3999, 4000, 4001})
    for (int m = -1; m <= 14; ++m)
      for (int d = -1; d <= 33; ++d) {
        const bool real =
            y >= 1601 && y <= 4000 && m >= 1 && m <= 12 && d >= 1 &&
            (year{y} / month(static_cast<unsigned>(m)) / day(static_cast<unsigned>(d))).ok();
        EXPECT_EQ(DayNumber(y, m, d) != -1, real) << y << '-' << m << '-' << d;
      }
}

TEST(Calendar, EveryDateRoundTripsAndAgreesWithChrono) {
  int expected = 0;
  for (sys_days day = DayOne; day < EndOfRange; day += days{1}) {
    const year_month_day ymd{day};
    const int y = int{ymd.year()};
    const int m = static_cast<int>(unsigned{ymd.month()});
    const int d = static_cast<int>(unsigned{ymd.day()});
    const int number = DayNumber(y, m, d);
    ASSERT_EQ(number, ++expected) << y << '-' << m << '-' << d;
    ASSERT_EQ(number % 7, static_cast<int>(weekday{day}.c_encoding())) << number;
    SYSTEMTIME back = Time(1, 1, 1, 11, 22, 33, 444);
    SYSTEMTIME untouched = back;
    ASSERT_EQ(DateFromDayNumber(number, &back), 0);
    ASSERT_EQ(back.wYear, y);
    ASSERT_EQ(back.wMonth, m);
    ASSERT_EQ(back.wDay, d);
    untouched.wYear = back.wYear;
    untouched.wMonth = back.wMonth;
    untouched.wDay = back.wDay;
    ASSERT_TRUE(SameBytes(back, untouched)) << number;
  }
  EXPECT_EQ(expected, kLastDayNumber);
}

TEST(DateFromDayNumber, KnownDayNumbers) {
  struct Row {
    int number, y, m, d;
  };
  const Row rows[] = {{1, 1601, 1, 1},       {365, 1601, 12, 31},    {366, 1602, 1, 1},
                      {145791, 2000, 2, 29}, {146097, 2000, 12, 31}, {151575, 2015, 12, 31},
                      {876582, 4000, 12, 31}};
  for (const Row &row : rows) {
    SYSTEMTIME target = Time(0, 0, 0);
    ASSERT_EQ(DateFromDayNumber(row.number, &target), 0);
    EXPECT_EQ(target.wYear, row.y) << row.number;
    EXPECT_EQ(target.wMonth, row.m) << row.number;
    EXPECT_EQ(target.wDay, row.d) << row.number;
  }
}

TEST(DateFromDayNumber, OutsideTheRangeFailsAndWritesNothing) {
  for (int number : {0, -1, kLastDayNumber + 1, kLastDayNumber + 366, INT_MAX, INT_MIN}) {
    SYSTEMTIME target = Time(2016, 3, 1, 10, 30, 5);
    const SYSTEMTIME before = target;
    EXPECT_EQ(DateFromDayNumber(number, &target), -1) << number;
    EXPECT_TRUE(SameBytes(target, before)) << number;
  }
}
