#include <gtest/gtest.h>

#include "tests/unit/timecalc/civil_oracle.h"
#include "timecalc/clock_time.h"
#include "timecalc/is_in_future.h"
#include "timecalc/local_now.h"

using namespace oracle;

TEST(IsInFuture, FirstDifferingFieldDecidesAndTheWeekdayIsIgnored) {
  LocalNow = Time(2016, 3, 15, 12, 30, 30, 500);
  WORD SYSTEMTIME::*const fields[] = {
      &SYSTEMTIME::wYear,   &SYSTEMTIME::wMonth,  &SYSTEMTIME::wDay,         &SYSTEMTIME::wHour,
      &SYSTEMTIME::wMinute, &SYSTEMTIME::wSecond, &SYSTEMTIME::wMilliseconds};
  SYSTEMTIME same = LocalNow;
  same.wDayOfWeek = 3;
  EXPECT_EQ(IsInFuture(&same), 0);
  for (int i = 0; i < 7; ++i) {
    SYSTEMTIME later = LocalNow;
    SYSTEMTIME earlier = LocalNow;
    later.*fields[i] += 1;
    earlier.*fields[i] -= 1;
    // Every field after the deciding one pulls the other way.
    for (int j = i + 1; j < 7; ++j) {
      later.*fields[j] = 0;
      earlier.*fields[j] = 0xFFFF;
    }
    EXPECT_EQ(IsInFuture(&later), 1) << i;
    EXPECT_EQ(IsInFuture(&earlier), 0) << i;
  }
  // Fields compare as unsigned 16-bit numbers.
  SYSTEMTIME highYear = LocalNow;
  highYear.wYear = 0x8000;
  EXPECT_EQ(IsInFuture(&highYear), 1);
}

TEST(IsInFuture, DatedClockTimesAroundTheCurrentSecond) {
  LocalNow = Time(2016, 3, 1, 10, 30, 15, 250);
  struct Row {
    const wchar_t *text;
    int future;
  };
  const Row rows[] = {{L"2016-03-01@10:30:15", 0}, {L"2016-03-01@10:30:16", 1},
                      {L"2016-03-01@10:30:14", 0}, {L"2016-03-01@10:31", 1},
                      {L"2000-01-01@12:00", 0},    {L"2016-03-02@0:00", 1}};
  for (const Row &row : rows) {
    SYSTEMTIME target;
    ASSERT_EQ(ParseClockTime(row.text, &target), 0);
    EXPECT_EQ(IsInFuture(&target), row.future) << &row - rows;
  }
  LocalNow.wMilliseconds = 0;
  SYSTEMTIME target = LocalNow;
  EXPECT_EQ(IsInFuture(&target), 0);
  target.wMilliseconds = 1;
  EXPECT_EQ(IsInFuture(&target), 1);
}
