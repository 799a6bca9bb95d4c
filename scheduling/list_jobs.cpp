#include "scheduling/list_jobs.h"

#include "hostapi/host_services.h"
#include "hostapi/wide_text.h"
#include "scheduling/host_shell.h"
#include "scheduling/job_line.h"
#include "scheduling/pending_jobs.h"
#include "scheduling/scheduler_calls.h"

namespace {

// One line for job, read back from the scheduler.
int PrintJob(ITaskScheduler *scheduler, const PendingJob &job, const wchar_t *shellFolder) {
  ITask *task = nullptr;
  if (ActivateJob(scheduler, job.name, &task) != 0) return -1;
  LPWSTR parameters = nullptr;
  LPWSTR folder = nullptr;
  int result = -1;
  if (Accepted(task->GetParameters(&parameters), L"GetParameters() returned: 0x%x") &&
      Accepted(task->GetWorkingDirectory(&folder), L"GetWorkingDirectory() returned: 0x%x")) {
    // A Tardo job's parameters are "/c " and the command as it was given.
    const wchar_t *command =
        BeginsWithIgnoringCase(parameters, L"/c ") ? parameters + 3 : parameters;
    PrintJobLine(job.name, job.moment, EqualsIgnoringCase(folder, shellFolder) ? nullptr : folder,
                 command);
    result = 0;
  }
  // Texts handed out with a success code other than S_OK are freed too.
  CoTaskMemFree(parameters);
  CoTaskMemFree(folder);
  task->Release();
  return result;
}

int PrintJobs(ITaskScheduler *scheduler, const wchar_t *) {
  wchar_t shellFolder[kHostBufferChars];
  HostShellFolder(shellFolder);
  PendingJob last;
  PendingJob next;
  int listed = 0;
  int found = 0;
  while ((found = NextPendingJob(scheduler, listed > 0 ? &last : nullptr, nullptr, &next)) == 1) {
    if (PrintJob(scheduler, next, shellFolder) != 0) return -1;
    last = next;
    ++listed;
  }
  if (found < 0) return -1;
  if (listed == 0) QPuts(L"No pending Tardo jobs\n");
  return 0;
}

}  // namespace

int ListJobs(void) { return WithScheduler(PrintJobs, nullptr); }
