#include "scheduling/delete_jobs.h"

#include "hostapi/host_services.h"
#include "hostapi/report_error.h"
#include "scheduling/pending_jobs.h"
#include "scheduling/scheduler_calls.h"

namespace {

int DeleteNamed(ITaskScheduler *scheduler, const wchar_t *name) {
  PendingJob job;
  const int found = NextPendingJob(scheduler, nullptr, name, &job);
  if (found < 0) return -1;
  if (found == 0) {
    ReportErrorText(L"No such Tardo job:  %s", name);
    return 1;
  }
  if (!Accepted(scheduler->Delete(job.name), L"Delete() returned: 0x%x")) return -1;
  Printf(L"Deleted %s\n", job.name);
  return 0;
}

int DeleteEvery(ITaskScheduler *scheduler, const wchar_t *) {
  PendingJob last;
  PendingJob next;
  int deleted = 0;
  int found = 0;
  // Each pass starts after the job deleted last, so it ends even should a
  // deletion not take.
  while ((found = NextPendingJob(scheduler, deleted > 0 ? &last : nullptr, nullptr, &next)) == 1) {
    if (!Accepted(scheduler->Delete(next.name), L"Delete() returned: 0x%x")) return -1;
    last = next;
    ++deleted;
  }
  if (found < 0) return -1;
  Printf(L"Deleted %d Tardo job%s\n", deleted, deleted == 1 ? L"" : L"s");
  return 0;
}

}  // namespace

int DeleteJob(const wchar_t *name) { return WithScheduler(DeleteNamed, name); }

int DeleteAllJobs(void) { return WithScheduler(DeleteEvery, nullptr); }
