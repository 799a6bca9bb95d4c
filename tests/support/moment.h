// A local moment for tests, the fields not named zero.
#pragma once

#include "hostapi/win_api.h"

inline SYSTEMTIME Moment(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second = 0) {
  SYSTEMTIME time{};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = second;
  return time;
}
