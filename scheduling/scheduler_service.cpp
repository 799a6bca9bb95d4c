#include "scheduling/scheduler_service.h"

#include "hostapi/win_api.h"

// The status record is passed by its size, which Windows fixes.
static_assert(sizeof(SERVICE_STATUS_PROCESS) == 36, "SERVICE_STATUS_PROCESS is 36 bytes");

int IsSchedulerRunning(void) {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, GENERIC_READ);
  if (manager == nullptr) return -1;
  SC_HANDLE service = OpenServiceW(manager, L"Schedule", GENERIC_READ);
  if (service == nullptr) {
    CloseServiceHandle(manager);
    return -2;
  }
  SERVICE_STATUS_PROCESS status{};
  DWORD needed = 0;
  const BOOL queried = QueryServiceStatusEx(
      service, SC_STATUS_PROCESS_INFO, reinterpret_cast<LPBYTE>(&status), sizeof status, &needed);
  CloseServiceHandle(manager);
  CloseServiceHandle(service);
  if (!queried) return -3;
  return status.dwCurrentState == SERVICE_RUNNING ? 1 : 0;
}
