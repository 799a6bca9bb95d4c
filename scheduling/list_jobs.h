// TARDO /L: Tardo's pending jobs on standard output, one line each.
#pragma once

// Prints each pending job (pending_jobs.h), earliest first, as
// "Tardo-0318f736  [2026-12-08 17:15]  echo hi", its working folder shown
// before the command where it is not the host shell's folder; or
// "No pending Tardo jobs" when there is none. Returns 0; -1 after reporting
// the scheduler call that failed. Relies on the host having initialised COM
// on this thread.
int ListJobs(void);
