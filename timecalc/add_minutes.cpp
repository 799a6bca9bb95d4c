#include "timecalc/add_minutes.h"

#include "timecalc/calendar.h"

int AddMinutes(int minutes, SYSTEMTIME *target) {
  if (minutes < 0) return -1;
  const int today = DayNumber(target->wYear, target->wMonth, target->wDay);
  if (today == -1) return -1;
  // 64-bit sums: the largest count plus any clock fields cannot wrap.
  const long long totalMinutes =
      static_cast<long long>(minutes) + target->wMinute + (target->wSecond > 30 ? 1 : 0);
  const long long totalHours = target->wHour + totalMinutes / 60;
  const long long day = today + totalHours / 24;
  if (day > kLastDayNumber) return -1;
  if (day != today) DateFromDayNumber(static_cast<int>(day), target);
  target->wHour = static_cast<WORD>(totalHours % 24);
  target->wMinute = static_cast<WORD>(totalMinutes % 60);
  return 0;
}
