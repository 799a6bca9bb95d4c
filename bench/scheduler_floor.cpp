// scheduler_floor [N]: the floor that bench/measure.sh sets beside tardo, as
// a bare program: COM started as the host starts it, then the scheduler
// calls of one tardo command with fixed values (FloorSchedule), nothing else.
// Exit status 0, silently; 2 when a call fails (its name and code on
// standard error). Windows only.
#include <cstdio>
#include <cwchar>

#include "bench/floor_schedule.h"

int wmain(int argc, wchar_t **argv) {
  const unsigned int number =
      argc > 1 ? static_cast<unsigned int>(std::wcstoul(argv[1], nullptr, 10)) : 0;
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    std::fputs("scheduler_floor: CoInitializeEx() failed\n", stderr);
    return 2;
  }
  const int status = FloorSchedule(number);
  CoUninitialize();
  return status;
}
