// GetLocalTime: the local wall clock, or a clock fixed for tests.
#include <sys/time.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "standins/posix/standin_clock.h"

namespace {

bool Fixed = false;
SYSTEMTIME FixedTime;

bool ParseFixedTime(const char *text, SYSTEMTIME *time) {
  unsigned year, month, day, hour, minute, second;
  if (std::sscanf(text, "%u-%u-%u %u:%u:%u", &year, &month, &day, &hour, &minute, &second) != 6)
    return false;
  std::tm parts{};
  parts.tm_year = static_cast<int>(year) - 1900;
  parts.tm_mon = static_cast<int>(month) - 1;
  parts.tm_mday = static_cast<int>(day);
  parts.tm_hour = 12;
  const std::time_t noon = timegm(&parts);
  std::tm check{};
  gmtime_r(&noon, &check);
  time->wYear = static_cast<WORD>(year);
  time->wMonth = static_cast<WORD>(month);
  time->wDayOfWeek = static_cast<WORD>(check.tm_wday);
  time->wDay = static_cast<WORD>(day);
  time->wHour = static_cast<WORD>(hour);
  time->wMinute = static_cast<WORD>(minute);
  time->wSecond = static_cast<WORD>(second);
  time->wMilliseconds = 0;
  return true;
}

}  // namespace

void StandinSetLocalTime(const SYSTEMTIME *time) {
  Fixed = time != nullptr;
  if (time) FixedTime = *time;
}

void WINAPI GetLocalTime(SYSTEMTIME *time) {
  static bool checkedEnvironment = false;
  if (!checkedEnvironment) {
    checkedEnvironment = true;
    const char *text = std::getenv("STANDIN_LOCALTIME");
    if (text && ParseFixedTime(text, &FixedTime)) Fixed = true;
  }
  if (Fixed) {
    *time = FixedTime;
    return;
  }
  timeval now{};
  gettimeofday(&now, nullptr);
  std::tm parts{};
  localtime_r(&now.tv_sec, &parts);
  time->wYear = static_cast<WORD>(parts.tm_year + 1900);
  time->wMonth = static_cast<WORD>(parts.tm_mon + 1);
  time->wDayOfWeek = static_cast<WORD>(parts.tm_wday);
  time->wDay = static_cast<WORD>(parts.tm_mday);
  time->wHour = static_cast<WORD>(parts.tm_hour);
  time->wMinute = static_cast<WORD>(parts.tm_min);
  time->wSecond = static_cast<WORD>(parts.tm_sec);
  time->wMilliseconds = static_cast<WORD>(now.tv_usec / 1000);
}
