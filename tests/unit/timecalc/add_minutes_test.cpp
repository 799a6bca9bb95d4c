#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "tests/unit/timecalc/civil_oracle.h"
#include "timecalc/add_minutes.h"
#include "timecalc/calendar.h"

using namespace oracle;

namespace {

// What AddMinutes must give: the starting wall-clock moment rounded to its
// nearest minute (half a minute rounds down), plus the delay. Returns -1 when
// that lies after 4000-12-31.
int Expected(const SYSTEMTIME &start, long long delay, SYSTEMTIME *result) {
  const sys_minutes rounded = floor<minutes>(MomentOf(start)) + minutes{start.wSecond > 30 ? 1 : 0};
  const sys_minutes end = rounded + minutes{delay};
  if (end >= EndOfRange) return -1;
  const sys_days day = floor<days>(end);
  const year_month_day ymd{day};
  const hh_mm_ss<minutes> clock{end - day};
  *result = start;
  result->wYear = static_cast<WORD>(int{ymd.year()});
  result->wMonth = static_cast<WORD>(unsigned{ymd.month()});
  result->wDay = static_cast<WORD>(unsigned{ymd.day()});
  result->wHour = static_cast<WORD>(clock.hours().count());
  result->wMinute = static_cast<WORD>(clock.minutes().count());
  return 0;
}

void ExpectLikeOracle(const SYSTEMTIME &start, int delay) {
  SYSTEMTIME expected = start;
  const int expectedResult = Expected(start, delay, &expected);
  SYSTEMTIME target = start;
  ASSERT_EQ(AddMinutes(delay, &target), expectedResult)
      << start.wYear << '-' << start.wMonth << '-' << start.wDay << ' ' << start.wHour << ':'
      << start.wMinute << ':' << start.wSecond << " + " << delay;
  ASSERT_TRUE(SameBytes(target, expected))
      << start.wYear << '-' << start.wMonth << '-' << start.wDay << ' ' << start.wHour << ':'
      << start.wMinute << ':' << start.wSecond << " + " << delay << " gave " << target.wYear << '-'
      << target.wMonth << '-' << target.wDay << ' ' << target.wHour << ':' << target.wMinute;
}

}  // namespace

TEST(AddMinutes, EdgeRows) {
  struct Row {
    SYSTEMTIME start;
    int delay;
    int result;
    SYSTEMTIME end;
  };
  const Row rows[] = {
      {Time(2016, 3, 1, 10, 15, 30), 5, 0, Time(2016, 3, 1, 10, 20, 30)},
      {Time(2016, 3, 1, 10, 15, 31), 5, 0, Time(2016, 3, 1, 10, 21, 31)},
      {Time(2016, 3, 1, 10, 15, 59), 0, 0, Time(2016, 3, 1, 10, 16, 59)},
      {Time(2016, 3, 1, 23, 59, 0), 1, 0, Time(2016, 3, 2, 0, 0, 0)},
      {Time(2015, 12, 31, 23, 59, 0), 1, 0, Time(2016, 1, 1, 0, 0, 0)},
      {Time(2015, 12, 31, 23, 59, 45), 0, 0, Time(2016, 1, 1, 0, 0, 45)},
      {Time(2016, 2, 28, 23, 30), 60, 0, Time(2016, 2, 29, 0, 30)},
      {Time(2015, 2, 28, 23, 30), 60, 0, Time(2015, 3, 1, 0, 30)},
      {Time(2100, 2, 28, 10, 0), 1440, 0, Time(2100, 3, 1, 10, 0)},
      {Time(2000, 2, 28, 10, 0), 1440, 0, Time(2000, 2, 29, 10, 0)},
      // Wall-clock fields: a day's delay over a daylight-saving change keeps the time of day.
      {Time(2016, 3, 26, 2, 30), 1440, 0, Time(2016, 3, 27, 2, 30)},
      {Time(4000, 12, 31, 23, 0), 59, 0, Time(4000, 12, 31, 23, 59)},
      {Time(4000, 12, 31, 23, 0), 60, -1, Time(4000, 12, 31, 23, 0)},
      {Time(4000, 12, 31, 23, 59, 31), 0, -1, Time(4000, 12, 31, 23, 59, 31)},
      {Time(1601, 1, 1), kLastDayNumber * 1440 - 1, 0, Time(4000, 12, 31, 23, 59)},
      {Time(1601, 1, 1), kLastDayNumber * 1440, -1, Time(1601, 1, 1)},
      {Time(1601, 1, 1), INT_MAX, -1, Time(1601, 1, 1)},
      {Time(2016, 3, 1), -1, -1, Time(2016, 3, 1)},
      {Time(2016, 3, 1), INT_MIN, -1, Time(2016, 3, 1)},
      // A clock outside the calendar gives no result rather than a wrong one.
      {Time(1600, 12, 31, 23, 59), 1, -1, Time(1600, 12, 31, 23, 59)},
      {Time(2015, 2, 29, 10, 0), 1, -1, Time(2015, 2, 29, 10, 0)},
      {Time(0, 0, 0), 1, -1, Time(0, 0, 0)},
  };
  for (const Row &row : rows) {
    SYSTEMTIME target = row.start;
    EXPECT_EQ(AddMinutes(row.delay, &target), row.result) << row.delay;
    EXPECT_TRUE(SameBytes(target, row.end))
        << row.delay << " gave " << target.wYear << '-' << target.wMonth << '-' << target.wDay
        << ' ' << target.wHour << ':' << target.wMinute;
  }
}

TEST(AddMinutes, LargestCountFailsFromEveryStartingMinuteOfADay) {
  for (int number : {1, 2, 145732, kLastDayNumber})
    for (int minute = 0; minute < 1440; ++minute)
      for (int second : {0, 30, 31, 59}) {
        SYSTEMTIME start = Time(0, 0, 0, minute / 60, minute % 60, second, 999);
        DateFromDayNumber(number, &start);
        SYSTEMTIME target = start;
        ASSERT_EQ(AddMinutes(INT_MAX, &target), -1);
        ASSERT_TRUE(SameBytes(target, start));
      }
}

TEST(AddMinutes, AgreesWithChronoOnRandomMomentsAndCounts) {
  std::mt19937_64 random(20160301);
  std::uniform_int_distribution<int> dayNumber(1, kLastDayNumber);
  std::uniform_int_distribution<int> hour(0, 23), minute(0, 59), second(0, 59), ms(0, 999);
  std::uniform_int_distribution<int> any(0, INT_MAX), week(0, 20160), aroundEnd(-3, 3);
  std::uniform_int_distribution<int> digits(0, 31);
  for (int i = 0; i < 300000; ++i) {
    SYSTEMTIME start = Time(0, 0, 0, hour(random), minute(random), second(random), ms(random));
    start.wDayOfWeek = static_cast<WORD>(random());
    DateFromDayNumber(dayNumber(random), &start);
    long long delay = 0;
    switch (i % 4) {
      case 0:
        delay = any(random);
        break;
      case 1:
        delay = week(random);
        break;
      case 2:
        delay = static_cast<long long>(random() >> 33) >> digits(random);
        break;
      default: {
        // Around the last minute that still fits.
        const sys_minutes rounded =
            floor<minutes>(MomentOf(start)) + minutes{start.wSecond > 30 ? 1 : 0};
        delay = (floor<minutes>(sys_seconds{EndOfRange}) - rounded).count() - 1 + aroundEnd(random);
        delay = delay < 0 ? 0 : delay > INT_MAX ? INT_MAX : delay;
      }
    }
    ExpectLikeOracle(start, static_cast<int>(delay));
  }
}
