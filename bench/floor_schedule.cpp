// The floor's one job: the scheduler and system calls that one
// "tardo 5 min echo hi" makes in ScheduleCommand, in the same order, with
// fixed values and nothing else (bench/measure.sh sets it beside tardo):
//   the service check; the Tasks folder from the registry and whether it is
//   a folder; the first job name from N on (Floor-%08x) whose file does not
//   exist there; then the work item, set up and added, and every interface
//   released.
// Left out, as the plug-in's or the host's own work rather than the
// scheduler's: parsing, the time arithmetic and its GetLocalTime, the
// shell's path for %_cmdspec (the values here are fixed), the printed line,
// and the host's way of reading the registry value (here one RegGetValueW
// that expands %SystemRoot% too).
#include "bench/floor_schedule.h"

#include "scheduling/scheduler_service.h"

#include <mstask.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

// Fixed values of the size a typical tardo command hands the scheduler.
constexpr const wchar_t *kApplication = L"C:\\Program Files\\JPSoft\\TCMD33\\TCC.EXE";
constexpr const wchar_t *kDirectory = L"C:\\Program Files\\JPSoft\\TCMD33\\";
constexpr const wchar_t *kParameters = L"/c echo hi";
// Far off: Wine's scheduler starts due jobs while the prefix runs.
constexpr WORD kYear = 2099, kMonth = 12, kDay = 31, kHour = 23, kMinute = 59;
constexpr DWORD kJobFlags = TASK_FLAG_RUN_ONLY_IF_LOGGED_ON | TASK_FLAG_DELETE_WHEN_DONE;

int Fail(const char *call, long code) {
  std::fprintf(stderr, "floor: %s() returned: 0x%08lx\n", call, static_cast<unsigned long>(code));
  return 2;
}

struct Held {
  ITaskScheduler *scheduler = nullptr;
  ITask *task = nullptr;
  ITaskTrigger *trigger = nullptr;
};

int Register(Held *held, const wchar_t *name) {
  HRESULT result =
      CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                       reinterpret_cast<void **>(&held->scheduler));
  if (FAILED(result)) return Fail("CoCreateInstance", result);
  result = held->scheduler->NewWorkItem(name, CLSID_CTask, IID_ITask,
                                        reinterpret_cast<IUnknown **>(&held->task));
  if (result != S_OK) return Fail("NewWorkItem", result);
  if ((result = held->task->SetApplicationName(kApplication)) != S_OK)
    return Fail("SetApplicationName", result);
  if ((result = held->task->SetWorkingDirectory(kDirectory)) != S_OK)
    return Fail("SetWorkingDirectory", result);
  if ((result = held->task->SetParameters(kParameters)) != S_OK)
    return Fail("SetParameters", result);

  wchar_t user[257] = {};
  DWORD size = 257;
  GetUserNameW(user, &size);
  if ((result = held->task->SetAccountInformation(user, nullptr)) != S_OK)
    return Fail("SetAccountInformation", result);
  if ((result = held->task->SetFlags(kJobFlags)) != S_OK) return Fail("SetFlags", result);

  WORD index = 0;
  if ((result = held->task->CreateTrigger(&index, &held->trigger)) != S_OK)
    return Fail("CreateTrigger", result);
  TASK_TRIGGER trigger;
  std::memset(&trigger, 0, sizeof trigger);
  trigger.cbTriggerSize = sizeof trigger;
  trigger.wBeginYear = kYear;
  trigger.wBeginMonth = kMonth;
  trigger.wBeginDay = kDay;
  trigger.wStartHour = kHour;
  trigger.wStartMinute = kMinute;
  trigger.TriggerType = TASK_TIME_TRIGGER_ONCE;
  if ((result = held->trigger->SetTrigger(&trigger)) != S_OK) return Fail("SetTrigger", result);
  if ((result = held->scheduler->AddWorkItem(name, held->task)) != S_OK)
    return Fail("AddWorkItem", result);
  return 0;
}

}  // namespace

int FloorSchedule(unsigned int number) {
  if (IsSchedulerRunning() != 1) {
    std::fputs("floor: the Schedule service is not running\n", stderr);
    return 2;
  }

  wchar_t folder[MAX_PATH];
  DWORD bytes = sizeof folder;
  // RRF_RT_REG_SZ alone: a REG_EXPAND_SZ value comes back expanded.
  const LSTATUS read = RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\SchedulingAgent",
                                    L"TasksFolder", RRF_RT_REG_SZ, nullptr, folder, &bytes);
  if (read != ERROR_SUCCESS) return Fail("RegGetValueW", read);
  const DWORD attributes = GetFileAttributesW(folder);
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Fail("GetFileAttributesW", static_cast<long>(GetLastError()));

  wchar_t name[32];
  wchar_t path[MAX_PATH + 32];
  for (;; ++number) {
    std::swprintf(path, MAX_PATH + 32, L"%ls\\Floor-%08x.job", folder, number);
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) break;
  }
  std::swprintf(name, 32, L"Floor-%08x", number);

  Held held;
  const int status = Register(&held, name);
  if (held.trigger != nullptr) held.trigger->Release();
  if (held.task != nullptr) held.task->Release();
  if (held.scheduler != nullptr) held.scheduler->Release();
  return status;
}
