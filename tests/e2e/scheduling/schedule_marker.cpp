// schedule_marker SHELL MARKER: registers, through ScheduleCommand, a job
// that makes SHELL (set as %_cmdspec) write its working directory into
// MARKER at the next minute. It prints the confirmation line (the target
// minute) and then "job NAME"; the caller checks that the scheduler service
// took the job in, waits for the marker and deletes the job.
// Wine's scheduler service evaluates a one-time trigger with today's date (a
// job for 00:00 registered before midnight never fires), and its timer
// starts every job due at the very start of the trigger minute: the target
// is today and at least 15 seconds away, time enough to register.
#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "standins/host/takecmd/host_control.h"
#include "hostapi/win_api.h"
#include "scheduling/schedule_command.h"
#include "tests/e2e/scheduling/wine_jobs.h"
#include "timecalc/add_minutes.h"
#include "timecalc/local_now.h"

namespace {

// The next minute at least 15 seconds away, on today's date: before a
// target that would fall after midnight, wait for midnight to pass.
SYSTEMTIME TodaysTarget() {
  for (;;) {
    GetLocalTime(&LocalNow);
    SYSTEMTIME target = LocalNow;
    const int minutes = target.wSecond >= 45 ? 2 : 1;
    target.wSecond = 0;
    AddMinutes(minutes, &target);
    if (target.wDay == LocalNow.wDay) return target;
    Sleep((60 - LocalNow.wSecond) * 1000);
  }
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc != 3) {
    std::fputs("usage: schedule_marker SHELL MARKER\n", stderr);
    return 2;
  }
  HostSetVariable(L"_cmdspec", argv[1]);
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
  const std::vector<std::wstring> before = TardoJobFiles();
  wchar_t command[1024];
  _snwprintf(command, 1024, L"cd > \"%ls\"", argv[2]);
  command[1023] = L'\0';
  const int result = ScheduleCommand(L"", command, TodaysTarget());
  CoUninitialize();
  if (result != 0) return 1;

  for (const std::wstring &file : TardoJobFiles())
    if (std::find(before.begin(), before.end(), file) == before.end())
      std::printf("job %s\n", Utf8Of(file.substr(0, file.size() - 4)).c_str());
  return 0;
}
