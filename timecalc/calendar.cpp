#include "timecalc/calendar.h"

#include "timecalc/month_table.h"

int IsLeapYear(int year) {
  if (year % 400 == 0) return 1;
  if (year % 100 == 0) return 0;
  return year % 4 == 0 ? 1 : 0;
}

int DayNumber(int year, int month, int day) {
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12) return -1;
  const int leap = IsLeapYear(year);
  if (day < 1 || day > kMonthTable[kDaysInMonth][month][leap]) return -1;
  // 1600 is a multiple of 400, so these quotients count exactly the leap
  // years from 1601 up to the year before this one.
  const int y = year - kFirstYear;
  return 365 * y + y / 4 - y / 100 + y / 400 + kMonthTable[kDaysBeforeMonth][month][leap] + day;
}

int DateFromDayNumber(int dayNumber, SYSTEMTIME *target) {
  if (dayNumber < 1 || dayNumber > kLastDayNumber) return -1;
  // No year is longer than 366 days, so this never overshoots; it falls
  // short by at most five years over the whole range.
  int year = dayNumber / 366 + kFirstYear;
  while (DayNumber(year, 12, 31) < dayNumber) ++year;
  const int dayOfYear = dayNumber - DayNumber(year, 1, 1) + 1;
  const int leap = IsLeapYear(year);
  int month = 1;
  while (month < 12 && kMonthTable[kDaysBeforeMonth][month + 1][leap] < dayOfYear) ++month;
  target->wYear = static_cast<WORD>(year);
  target->wMonth = static_cast<WORD>(month);
  target->wDay = static_cast<WORD>(dayOfYear - kMonthTable[kDaysBeforeMonth][month][leap]);
  return 0;
}
