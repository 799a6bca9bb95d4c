// Tardo's pending jobs: the work items named as ChooseJobName names them for
// which the scheduler still has a next run. They are taken one at a time, in
// the order of their next run and then of their names, each by a pass over
// the scheduler's list of work items, so that nothing is kept between them
// and there is no bound on how many there are.
#pragma once

#include "hostapi/win_api.h"
#include "scheduling/job_name.h"

struct PendingJob {
  wchar_t name[kJobNameChars];
  SYSTEMTIME moment;  // the next run, as GetNextRunTime gives it
};

// The first pending job that comes after *after in that order (null: the
// earliest), or, when name is not null, the pending job of that name,
// ignoring case. Returns 1 with *next filled; 0 when there is none; -1
// after reporting the scheduler call that failed. next must not be after.
int NextPendingJob(ITaskScheduler *scheduler, const PendingJob *after, const wchar_t *name,
                   PendingJob *next);

// Activates the work item name as a task. Returns 0; -1 after reporting
// "Activate() returned: 0x%x", with nothing left to release.
int ActivateJob(ITaskScheduler *scheduler, const wchar_t *name, ITask **task);
