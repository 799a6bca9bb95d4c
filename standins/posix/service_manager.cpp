// The service control manager, as far as the plug-in asks it: one service,
// "Schedule", whose state tests choose (STANDIN_SCHEDULE or
// StandinSetScheduleState). Handles are counted so tests can see that every
// one was closed.
#include <cstdlib>
#include <cstring>

#include "standins/common/ascii_case.h"
#include "standins/posix/standin_scheduler.h"

namespace {

enum class Availability { kNormal, kNoManager, kAbsent, kNoQuery };

struct ScheduleService {
  Availability availability;
  DWORD state;
};

enum class HandleKind { kFree, kManager, kService };

constexpr int kHandleSlots = 32;
HandleKind Slots[kHandleSlots];
StandinServiceCalls Log;
ScheduleService Service = {Availability::kNormal, SERVICE_RUNNING};
bool EnvironmentRead = false;

int ParseState(const char *word, ScheduleService *service) {
  struct Named {
    const char *word;
    ScheduleService service;
  };
  static const Named kStates[] = {
      {"running", {Availability::kNormal, SERVICE_RUNNING}},
      {"stopped", {Availability::kNormal, SERVICE_STOPPED}},
      {"paused", {Availability::kNormal, SERVICE_PAUSED}},
      {"starting", {Availability::kNormal, SERVICE_START_PENDING}},
      {"absent", {Availability::kAbsent, SERVICE_STOPPED}},
      {"nomanager", {Availability::kNoManager, SERVICE_RUNNING}},
      {"noquery", {Availability::kNoQuery, SERVICE_RUNNING}},
  };
  for (const Named &named : kStates) {
    if (std::strcmp(word, named.word) == 0) {
      *service = named.service;
      return 0;
    }
  }
  return -1;
}

void ReadEnvironment() {
  if (EnvironmentRead) return;
  EnvironmentRead = true;
  const char *word = std::getenv("STANDIN_SCHEDULE");
  if (word) ParseState(word, &Service);
}

SC_HANDLE OpenHandle(HandleKind kind) {
  for (HandleKind &slot : Slots) {
    if (slot == HandleKind::kFree) {
      slot = kind;
      ++Log.openHandles;
      return reinterpret_cast<SC_HANDLE>(&slot);
    }
  }
  return nullptr;
}

HandleKind *SlotOf(SC_HANDLE handle) {
  for (HandleKind &slot : Slots)
    if (reinterpret_cast<SC_HANDLE>(&slot) == handle && slot != HandleKind::kFree) return &slot;
  return nullptr;
}

}  // namespace

int StandinSetScheduleState(const char *state) {
  EnvironmentRead = true;
  return state ? ParseState(state, &Service) : -1;
}

const StandinServiceCalls *StandinServiceLog(void) { return &Log; }

void StandinResetServiceLog(void) {
  const int open = Log.openHandles;
  Log = StandinServiceCalls{};
  Log.openHandles = open;
}

SC_HANDLE WINAPI OpenSCManagerW(LPCWSTR machine, LPCWSTR database, DWORD access) {
  ReadEnvironment();
  ++Log.managerOpens;
  Log.machineNamed = machine != nullptr;
  Log.databaseNamed = database != nullptr;
  Log.managerAccess = access;
  if (Service.availability == Availability::kNoManager) return nullptr;
  return OpenHandle(HandleKind::kManager);
}

SC_HANDLE WINAPI OpenServiceW(SC_HANDLE manager, LPCWSTR name, DWORD access) {
  Log.serviceAccess = access;
  int i = 0;
  for (; name && name[i] != L'\0' && i < 63; ++i) Log.serviceName[i] = name[i];
  Log.serviceName[i] = L'\0';
  HandleKind *slot = SlotOf(manager);
  if (!slot || *slot != HandleKind::kManager || !name) return nullptr;
  // Service names ignore case on Windows.
  if (Service.availability == Availability::kAbsent || !EqualsIgnoringAsciiCase(name, L"Schedule"))
    return nullptr;
  return OpenHandle(HandleKind::kService);
}

BOOL WINAPI QueryServiceStatusEx(SC_HANDLE service, SC_STATUS_TYPE level, LPBYTE buffer, DWORD size,
                                 LPDWORD needed) {
  ++Log.queries;
  Log.queryLevel = level;
  Log.querySize = size;
  HandleKind *slot = SlotOf(service);
  if (!slot || *slot != HandleKind::kService || level != SC_STATUS_PROCESS_INFO || !needed)
    return FALSE;
  *needed = sizeof(SERVICE_STATUS_PROCESS);
  if (size < sizeof(SERVICE_STATUS_PROCESS) || !buffer) return FALSE;
  if (Service.availability == Availability::kNoQuery) return FALSE;
  SERVICE_STATUS_PROCESS status{};
  status.dwServiceType = 0x20;  // SERVICE_WIN32_SHARE_PROCESS
  status.dwCurrentState = Service.state;
  status.dwProcessId = Service.state == SERVICE_RUNNING ? 1234 : 0;
  std::memcpy(buffer, &status, sizeof status);
  return TRUE;
}

BOOL WINAPI CloseServiceHandle(SC_HANDLE handle) {
  HandleKind *slot = SlotOf(handle);
  if (!slot) {
    ++Log.badCloses;
    return FALSE;
  }
  *slot = HandleKind::kFree;
  --Log.openHandles;
  ++Log.closes;
  return TRUE;
}
