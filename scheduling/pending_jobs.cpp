#include "scheduling/pending_jobs.h"

#include <cstddef>

#include "hostapi/report_error.h"
#include "hostapi/wide_text.h"
#include "scheduling/scheduler_calls.h"

// GetNextRunTime writes the record by this layout, on x86 and x64 alike.
static_assert(sizeof(SYSTEMTIME) == 16);
static_assert(offsetof(SYSTEMTIME, wYear) == 0 && offsetof(SYSTEMTIME, wMonth) == 2 &&
              offsetof(SYSTEMTIME, wDayOfWeek) == 4 && offsetof(SYSTEMTIME, wDay) == 6 &&
              offsetof(SYSTEMTIME, wHour) == 8 && offsetof(SYSTEMTIME, wMinute) == 10 &&
              offsetof(SYSTEMTIME, wSecond) == 12 && offsetof(SYSTEMTIME, wMilliseconds) == 14);

namespace {

constexpr int kJobNameLength = 14;  // "Tardo-" and eight digits

// The job name of a work item as the scheduler lists it, "Tardo-0318f736"
// or, as Windows and Wine list them, "Tardo-0318f736.job"; 0 for any item
// that is not a Tardo job.
int JobNameOfItem(const wchar_t *item, wchar_t *name) {
  const int length = TextLength(item);
  if (length != kJobNameLength &&
      !(length == kJobNameLength + 4 && EqualsIgnoringCase(item + kJobNameLength, L".job")))
    return 0;
  ClearText(name, kJobNameChars);
  for (int i = 0; i < kJobNameLength; ++i) name[i] = item[i];
  return IsJobName(name, 1);
}

// Negative, 0 or positive as a comes before, with or after b.
int Compare(const PendingJob &a, const PendingJob &b) {
  const WORD first[] = {a.moment.wYear,   a.moment.wMonth,  a.moment.wDay,         a.moment.wHour,
                        a.moment.wMinute, a.moment.wSecond, a.moment.wMilliseconds};
  const WORD second[] = {b.moment.wYear,   b.moment.wMonth,  b.moment.wDay,         b.moment.wHour,
                         b.moment.wMinute, b.moment.wSecond, b.moment.wMilliseconds};
  for (int i = 0; i < static_cast<int>(sizeof first / sizeof first[0]); ++i)
    if (first[i] != second[i]) return first[i] < second[i] ? -1 : 1;
  for (int i = 0;; ++i)
    if (a.name[i] != b.name[i] || a.name[i] == L'\0') return a.name[i] - b.name[i];
}

// 1 when the scheduler has a next run for the job, in *moment; 0 when it
// will not run it again (a success code other than S_OK: no more runs, no
// valid trigger, disabled); -1 after reporting a failed call.
int NextRun(ITaskScheduler *scheduler, const wchar_t *name, SYSTEMTIME *moment) {
  ITask *task = nullptr;
  if (ActivateJob(scheduler, name, &task) != 0) return -1;
  const HRESULT next = task->GetNextRunTime(moment);
  task->Release();
  if (FAILED(next)) {
    ReportErrorNumber(L"GetNextRunTime() returned: 0x%x", static_cast<int>(next));
    return -1;
  }
  return next == S_OK ? 1 : 0;
}

// Takes item as *best when it is a pending job that the pass is looking
// for and comes before *best (any, when found is 0). Returns 1 taken, 0
// passed over, -1 after reporting a failed call.
int Consider(ITaskScheduler *scheduler, const wchar_t *item, const PendingJob *after,
             const wchar_t *name, int found, PendingJob *best) {
  PendingJob job;
  if (!JobNameOfItem(item, job.name)) return 0;
  if (name != nullptr && !EqualsIgnoringCase(job.name, name)) return 0;
  const int pending = NextRun(scheduler, job.name, &job.moment);
  if (pending <= 0) return pending;
  if (after != nullptr && Compare(job, *after) <= 0) return 0;
  if (found && Compare(job, *best) >= 0) return 0;
  *best = job;
  return 1;
}

}  // namespace

int ActivateJob(ITaskScheduler *scheduler, const wchar_t *name, ITask **task) {
  *task = nullptr;
  if (Accepted(scheduler->Activate(name, IID_ITask, reinterpret_cast<IUnknown **>(task)),
               L"Activate() returned: 0x%x"))
    return 0;
  // A success code other than S_OK may still have handed out the task.
  if (*task != nullptr) (*task)->Release();
  *task = nullptr;
  return -1;
}

int NextPendingJob(ITaskScheduler *scheduler, const PendingJob *after, const wchar_t *name,
                   PendingJob *next) {
  IEnumWorkItems *items = nullptr;
  if (!Accepted(scheduler->Enum(&items), L"Enum() returned: 0x%x")) {
    if (items != nullptr) items->Release();
    return -1;
  }
  int found = 0;
  for (;;) {
    LPWSTR *names = nullptr;
    ULONG fetched = 0;
    // S_FALSE is how the list ends, not a failure.
    const HRESULT listed = items->Next(1, &names, &fetched);
    if (FAILED(listed)) {
      ReportErrorNumber(L"Next() returned: 0x%x", static_cast<int>(listed));
      found = -1;
      break;
    }
    int taken = 0;
    if (fetched == 1) {
      taken = Consider(scheduler, names[0], after, name, found, next);
      CoTaskMemFree(names[0]);
    }
    CoTaskMemFree(names);
    if (taken < 0) {
      found = -1;
      break;
    }
    if (taken > 0) found = 1;
    if (listed != S_OK || fetched != 1) break;
  }
  items->Release();
  return found;
}
