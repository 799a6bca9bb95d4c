// TARDO /D: deleting Tardo's pending jobs (pending_jobs.h), one by its name
// or all of them, each confirmed in one line on standard output. Both rely
// on the host having initialised COM on this thread.
#pragma once

// Deletes the pending job name (ignoring case) and prints
// "Deleted Tardo-0318f736". Returns 0; 1 after reporting
// "No such Tardo job:  name" when there is no pending job of that name; -1
// after reporting the scheduler call that failed.
int DeleteJob(const wchar_t *name);

// Deletes every pending job, earliest first, and prints "Deleted 2 Tardo
// jobs" ("1 Tardo job", "0 Tardo jobs"). Returns 0; -1 after reporting the
// scheduler call that failed, the jobs before it deleted.
int DeleteAllJobs(void);
