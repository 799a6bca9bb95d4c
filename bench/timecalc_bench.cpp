// Costs of the time computation: turning day numbers into dates, adding
// delays, and reading clock-time words.
#include <benchmark/benchmark.h>

#include "timecalc/add_minutes.h"
#include "timecalc/calendar.h"
#include "timecalc/clock_time.h"
#include "timecalc/local_now.h"

namespace {

SYSTEMTIME Moment(int dayNumber, WORD hour, WORD minute, WORD second) {
  SYSTEMTIME time = {};
  DateFromDayNumber(dayNumber, &time);
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = second;
  return time;
}

void BM_DateFromDayNumber(benchmark::State &state) {
  SYSTEMTIME target = {};
  int dayNumber = 1;
  for (auto _ : state) {
    DateFromDayNumber(dayNumber, &target);
    benchmark::DoNotOptimize(target);
    // A stride prime to the range's length visits days all over it.
    dayNumber = (dayNumber + 7919) % kLastDayNumber + 1;
  }
}
BENCHMARK(BM_DateFromDayNumber);

void BM_AddMinutes(benchmark::State &state) {
  const SYSTEMTIME start = Moment(151576, 10, 15, 45);
  const int delay = static_cast<int>(state.range(0));
  for (auto _ : state) {
    SYSTEMTIME target = start;
    benchmark::DoNotOptimize(AddMinutes(delay, &target));
    benchmark::DoNotOptimize(target);
  }
}
// Same day, across midnight, across years, and past the end of the range.
BENCHMARK(BM_AddMinutes)->Arg(5)->Arg(1440)->Arg(525600 * 50)->Arg(2147483647);

void BM_ParseClockTime(benchmark::State &state, const wchar_t *text) {
  LocalNow = Moment(151636, 10, 30, 5);
  SYSTEMTIME target = {};
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseClockTime(text, &target));
    benchmark::DoNotOptimize(target);
  }
}
BENCHMARK_CAPTURE(BM_ParseClockTime, today, L"10:31");
BENCHMARK_CAPTURE(BM_ParseClockTime, tomorrow_half_day, L"10:29:59am");
BENCHMARK_CAPTURE(BM_ParseClockTime, dated, L"2016-03-05@9:00");
BENCHMARK_CAPTURE(BM_ParseClockTime, rejected_long_number, L"99999999999999999999:00");

}  // namespace
