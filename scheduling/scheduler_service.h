// Whether the Windows Task Scheduler service ("Schedule") is running.
#pragma once

// 1 running; 0 installed but in any other state; -1 the service control
// manager cannot be opened; -2 the service cannot be opened; -3 its status
// cannot be queried. Every handle opened is closed before it returns.
int IsSchedulerRunning(void);
