// std::chrono as the independent calendar for the timecalc tests.
#pragma once

#include <chrono>
#include <cstring>

#include "hostapi/win_api.h"

namespace oracle {

using namespace std::chrono;
using sys_minutes = sys_time<minutes>;

inline constexpr sys_days DayOne = sys_days{year{1601} / 1 / 1};
inline constexpr sys_days EndOfRange = sys_days{year{4001} / 1 / 1};

inline int DayNumberOf(sys_days day) { return static_cast<int>((day - DayOne).count()) + 1; }

inline sys_days DayOf(int dayNumber) { return DayOne + days{dayNumber - 1}; }

inline sys_days DayOf(const SYSTEMTIME &time) {
  return sys_days{year{time.wYear} / month{time.wMonth} / day{time.wDay}};
}

inline sys_seconds MomentOf(const SYSTEMTIME &time) {
  return DayOf(time) + hours{time.wHour} + minutes{time.wMinute} + seconds{time.wSecond};
}

inline SYSTEMTIME Time(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  SYSTEMTIME time;
  std::memset(&time, 0xA5, sizeof time);
  time.wYear = static_cast<WORD>(y);
  time.wMonth = static_cast<WORD>(mo);
  time.wDay = static_cast<WORD>(d);
  time.wHour = static_cast<WORD>(h);
  time.wMinute = static_cast<WORD>(mi);
  time.wSecond = static_cast<WORD>(s);
  time.wMilliseconds = static_cast<WORD>(ms);
  return time;
}

inline bool SameBytes(const SYSTEMTIME &a, const SYSTEMTIME &b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace oracle
