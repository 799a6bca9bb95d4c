// service_jobs: the program of every job that the Task Scheduler service
// itself holds (not the job files: the list the service runs jobs from),
// one per line, through NetScheduleJobEnum. Always a 64-bit program: the
// 32-bit netapi32 does not load in Wine's WoW64 mode.
#include <windows.h>
// After <windows.h>, which they need.
#include <lm.h>
#include <lmat.h>

#include <cstdio>

int wmain() {
  BYTE *buffer = nullptr;
  DWORD read = 0, total = 0, resume = 0;
  const NET_API_STATUS status =
      NetScheduleJobEnum(nullptr, &buffer, MAX_PREFERRED_LENGTH, &read, &total, &resume);
  if (status != NERR_Success) {
    std::fprintf(stderr, "NetScheduleJobEnum failed: %lu\n", static_cast<unsigned long>(status));
    return 1;
  }
  const auto *jobs = reinterpret_cast<const AT_ENUM *>(buffer);
  for (DWORD i = 0; i < read; ++i) {
    char line[4 * MAX_PATH] = "";
    if (jobs[i].Command)
      WideCharToMultiByte(CP_UTF8, 0, jobs[i].Command, -1, line, static_cast<int>(sizeof line),
                          nullptr, nullptr);
    std::printf("%s\n", line);
  }
  NetApiBufferFree(buffer);
  return 0;
}
