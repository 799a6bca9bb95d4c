#include "scheduling/schedule_command.h"

#include "hostapi/host_services.h"
#include "hostapi/report_error.h"
#include "hostapi/wide_text.h"
#include "scheduling/host_shell.h"
#include "scheduling/job_line.h"
#include "scheduling/job_name.h"
#include "scheduling/once_trigger.h"
#include "scheduling/path_parts.h"
#include "scheduling/scheduler_calls.h"
#include "scheduling/scheduler_service.h"
#include "scheduling/tasks_folder.h"

namespace {

constexpr DWORD kJobFlags = TASK_FLAG_RUN_ONLY_IF_LOGGED_ON | TASK_FLAG_DELETE_WHEN_DONE;
static_assert(kJobFlags == 0x2002);

// What a request holds; each is released when the request ends.
struct HeldInterfaces {
  ITaskScheduler *scheduler;
  ITask *task;
  ITaskTrigger *trigger;
};

int SetCommand(ITask *task, const wchar_t *workingDirectory, const wchar_t *commandText) {
  wchar_t application[kHostBufferChars];
  HostShellPath(application);
  if (!Accepted(task->SetApplicationName(application), L"SetApplicationName() returned: 0x%x"))
    return -1;

  wchar_t directory[kHostBufferChars];
  ClearText(directory, kHostBufferChars);
  if (workingDirectory != nullptr && workingDirectory[0] != L'\0')
    QueryTrueName(workingDirectory, directory);
  // Without a usable directory the job starts where the shell lives.
  if (directory[0] == L'\0') DirectoryPart(directory, application);
  if (!Accepted(task->SetWorkingDirectory(directory), L"SetWorkingDirectory() returned: 0x%x"))
    return -1;

  wchar_t parameters[kHostBufferChars];
  ClearText(parameters, kHostBufferChars);
  CopyText(parameters, L"/c ", kHostBufferChars);
  AppendText(parameters, commandText, kHostBufferChars);
  if (!Accepted(task->SetParameters(parameters), L"SetParameters() returned: 0x%x")) return -1;
  return 0;
}

int SetAccountAndFlags(ITask *task) {
  wchar_t user[kHostBufferChars];
  ClearText(user, kHostBufferChars);
  DWORD size = kHostBufferChars;
  // Should this fail, the job goes in with an empty account name.
  GetUserNameW(user, &size);
  // No password: the job runs only while the user is logged on.
  if (!Accepted(task->SetAccountInformation(user, nullptr),
                L"SetAccountInformation() returned: 0x%x"))
    return -1;
  if (!Accepted(task->SetFlags(kJobFlags), L"SetFlags() returned: 0x%x")) return -1;
  return 0;
}

int CreateJob(HeldInterfaces *held, const wchar_t *jobName, const wchar_t *workingDirectory,
              const wchar_t *commandText, const SYSTEMTIME &target) {
  if (CreateScheduler(&held->scheduler) != 0) return -1;
  if (!Accepted(held->scheduler->NewWorkItem(jobName, CLSID_CTask, IID_ITask,
                                             reinterpret_cast<IUnknown **>(&held->task)),
                L"NewWorkItem() returned: 0x%x"))
    return -1;
  if (SetCommand(held->task, workingDirectory, commandText) != 0) return -1;
  if (SetAccountAndFlags(held->task) != 0) return -1;

  WORD triggerIndex = 0;
  if (!Accepted(held->task->CreateTrigger(&triggerIndex, &held->trigger),
                L"CreateTrigger() returned: 0x%x"))
    return -1;
  TASK_TRIGGER trigger;
  FillOnceTrigger(&trigger, target);
  if (!Accepted(held->trigger->SetTrigger(&trigger), L"SetTrigger() returned: 0x%x")) return -1;

  if (!Accepted(held->scheduler->AddWorkItem(jobName, held->task), L"AddWorkItem() returned: 0x%x"))
    return -1;
  return 0;
}

// A call judged a failure may still have handed out an interface (with a
// success code such as S_FALSE): whatever was handed out is released.
void ReleaseHeld(HeldInterfaces *held) {
  if (held->trigger != nullptr) held->trigger->Release();
  if (held->task != nullptr) held->task->Release();
  if (held->scheduler != nullptr) held->scheduler->Release();
}

}  // namespace

int ScheduleCommand(const wchar_t *workingDirectory, const wchar_t *commandText,
                    SYSTEMTIME target) {
  if (commandText == nullptr) return -1;
  // Refused whole: a shortened text would be a different command.
  if (TextLength(commandText) > kLongestCommandText) {
    ReportErrorNumber(L"Command too long: at most %d characters", kLongestCommandText);
    return -1;
  }
  if (IsSchedulerRunning() != 1) {
    ReportError(L"Task Scheduler service not running!");
    return -1;
  }
  wchar_t tasksFolder[kHostBufferChars];
  if (FindTasksFolder(tasksFolder) != 0) return -1;
  wchar_t jobName[kJobNameChars];
  ChooseJobName(tasksFolder, jobName);

  HeldInterfaces held = {nullptr, nullptr, nullptr};
  const int result = CreateJob(&held, jobName, workingDirectory, commandText, target);
  if (result == 0) PrintConfirmation(target, commandText);
  ReleaseHeld(&held);
  return result;
}
