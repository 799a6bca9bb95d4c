#include "timecalc/clock_time.h"

#include "hostapi/wide_text.h"
#include "timecalc/calendar.h"
#include "timecalc/local_now.h"

namespace {

// The largest value a 32-bit long holds: a longer number stops here, as
// wcstol does on Windows, so it fails its range test on every platform.
constexpr int kNumberLimit = 2147483647;

int IsTimeSeparator(wchar_t ch) { return ch == L':' || ch == L'.' ? 1 : 0; }

// Reads the number at *cursor and moves past it. Returns -1 when no digit is
// there: a sign or a blank in front of a number is not accepted.
int ReadNumber(const wchar_t **cursor, int *value) {
  const wchar_t *at = *cursor;
  if (!IsDecimalDigit(*at)) return -1;
  int number = 0;
  for (; IsDecimalDigit(*at); ++at) {
    const int digit = *at - L'0';
    number = number > (kNumberLimit - digit) / 10 ? kNumberLimit : number * 10 + digit;
  }
  *cursor = at;
  *value = number;
  return 0;
}

// Reads "-month-day@" after a year; returns the day number of the date, or -1.
int ReadDate(const wchar_t **cursor, int year) {
  int month = 0;
  int day = 0;
  if (!IsDateSeparator(**cursor)) return -1;
  ++*cursor;
  if (ReadNumber(cursor, &month) != 0 || !IsDateSeparator(**cursor)) return -1;
  ++*cursor;
  if (ReadNumber(cursor, &day) != 0 || **cursor != L'@') return -1;
  ++*cursor;
  return DayNumber(year, month, day);
}

// Applies the half-day letter at the cursor, or requires the end of the text.
// Whatever follows the letter is not looked at.
int ReadHalfDay(wchar_t ch, int *hour) {
  const int isAm = ch == L'A' || ch == L'a';
  const int isPm = ch == L'P' || ch == L'p';
  if (!isAm && !isPm) return ch == 0 ? 0 : -1;
  if (*hour < 1 || *hour > 12) return -1;
  if (isAm && *hour == 12) *hour = 0;
  if (isPm && *hour < 12) *hour += 12;
  return 0;
}

// Reads ":minute[:second][A|P]" after the hour, which it checks and converts.
int ReadTimeOfDay(const wchar_t *cursor, int *hour, int *minute, int *second) {
  if (*hour > 23 || !IsTimeSeparator(*cursor)) return -1;
  ++cursor;
  if (ReadNumber(&cursor, minute) != 0 || *minute > 59) return -1;
  *second = 0;
  if (IsTimeSeparator(*cursor)) {
    ++cursor;
    if (ReadNumber(&cursor, second) != 0 || *second > 59) return -1;
  }
  return ReadHalfDay(*cursor, hour);
}

// An undated time goes to today while its hour and minute are still ahead of
// LocalNow, else to tomorrow. Returns the day number, or -1 when LocalNow is
// no valid date or tomorrow would lie after 4000-12-31.
int UndatedDay(int hour, int minute) {
  const int today = DayNumber(LocalNow.wYear, LocalNow.wMonth, LocalNow.wDay);
  if (today == -1) return -1;
  const int passed =
      hour < LocalNow.wHour || (hour == LocalNow.wHour && minute <= LocalNow.wMinute);
  if (!passed) return today;
  return today < kLastDayNumber ? today + 1 : -1;
}

}  // namespace

int IsDateSeparator(wchar_t ch) { return ch == L'-' || ch == L'.' || ch == L'/' ? 1 : 0; }

int ParseClockTime(const wchar_t *text, SYSTEMTIME *target) {
  if (text == nullptr || target == nullptr) return -1;
  const wchar_t *cursor = text;
  int hour = 0;
  if (ReadNumber(&cursor, &hour) != 0) return -1;
  // A first number in the year range always starts a date: 2000:30 is no time.
  int day = 0;
  const int dated = hour >= kFirstYear && hour <= kLastYear;
  if (dated) {
    day = ReadDate(&cursor, hour);
    if (day == -1 || ReadNumber(&cursor, &hour) != 0) return -1;
  }
  int minute = 0;
  int second = 0;
  if (ReadTimeOfDay(cursor, &hour, &minute, &second) != 0) return -1;
  if (!dated) {
    day = UndatedDay(hour, minute);
    if (day == -1) return -1;
  }
  SYSTEMTIME result = {};
  DateFromDayNumber(day, &result);
  result.wDayOfWeek = static_cast<WORD>(day % 7);
  result.wHour = static_cast<WORD>(hour);
  result.wMinute = static_cast<WORD>(minute);
  result.wSecond = static_cast<WORD>(second);
  result.wMilliseconds = 0;
  *target = result;
  return 0;
}
