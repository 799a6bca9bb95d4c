// Gregorian calendar arithmetic on day numbers: day 1 is 1601-01-01 and
// day 876582 is 4000-12-31. A day number modulo 7 is the SYSTEMTIME weekday
// (0 Sunday ... 6 Saturday), since 1601-01-01 was a Monday.
#pragma once

#include "hostapi/win_api.h"

inline constexpr int kFirstYear = 1601;
inline constexpr int kLastYear = 4000;
inline constexpr int kLastDayNumber = 876582;

// 1 for a leap year, 0 for a common year.
int IsLeapYear(int year);

// Day number of a date, or -1 when the date is not a real day of 1601 to 4000.
int DayNumber(int year, int month, int day);

// Stores the date of dayNumber into wYear, wMonth and wDay of target and
// touches no other field. Returns 0, or -1 without writing anything when
// dayNumber lies outside 1 to kLastDayNumber.
int DateFromDayNumber(int dayNumber, SYSTEMTIME *target);
