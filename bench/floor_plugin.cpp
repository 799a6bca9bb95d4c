// Floor.dll: the floor of bench/measure.sh as a plug-in, loaded and called
// by hostshell exactly as Tardo.dll is. Its one command, "floorjob N", makes the
// scheduler calls of one tardo command with fixed values (FloorSchedule) and
// nothing else, so that tardo's time over it is the plug-in's own work, with
// the host's start and the loading of a plug-in on both sides.
#include <cwchar>

#include "bench/floor_schedule.h"
#include "hostapi/description_record.h"

namespace {

PluginInfo Info = {L"Floor",
                   L"Tardo benchmarks",
                   L"",
                   L"",
                   L"The scheduler calls of tardo, fixed",
                   L"floorjob",
                   0,
                   1,
                   0,
                   nullptr,
                   nullptr};

}  // namespace

extern "C" __declspec(dllexport) PluginInfo *WINAPI GetPluginInfo(void) { return &Info; }

extern "C" __declspec(dllexport) int WINAPI InitializePlugin(void) { return 0; }

extern "C" __declspec(dllexport) int WINAPI ShutdownPlugin(int) { return 0; }

// floorjob N: the first free job name from N on. Its result is FloorSchedule's.
extern "C" __declspec(dllexport) int WINAPI floorjob(wchar_t *tail) {
  return FloorSchedule(static_cast<unsigned int>(std::wcstoul(tail, nullptr, 10)));
}
