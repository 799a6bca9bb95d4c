// schedule_marker SHELL MARKER: registers, through ScheduleCommand, a job
// for the next minute that makes SHELL (set as %_cmdspec) write its working
// directory into MARKER. The caller waits for the marker.
#include <cstdio>

#include "host/takecmd/host_control.h"
#include "platform/win_api.h"
#include "scheduling/schedule_command.h"
#include "timecalc/add_minutes.h"
#include "timecalc/local_now.h"

int wmain(int argc, wchar_t **argv) {
  if (argc != 3) {
    std::fputs("usage: schedule_marker SHELL MARKER\n", stderr);
    return 2;
  }
  HostSetVariable(L"_cmdspec", argv[1]);
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
  GetLocalTime(&LocalNow);
  SYSTEMTIME target = LocalNow;
  // The next minute, or the one after when the next is only seconds away.
  const int minutes = target.wSecond >= 45 ? 2 : 1;
  target.wSecond = 0;
  AddMinutes(minutes, &target);
  wchar_t command[1024];
  _snwprintf(command, 1024, L"cd > \"%ls\"", argv[2]);
  command[1023] = L'\0';
  const int result = ScheduleCommand(L"", command, target);
  CoUninitialize();
  return result == 0 ? 0 : 1;
}
