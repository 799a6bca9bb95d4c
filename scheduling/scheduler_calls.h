// Calling the Task Scheduler: making the scheduler object and judging what
// each call answers.
#pragma once

#include "hostapi/win_api.h"

// True when result is S_OK; otherwise reports message, a format whose one
// integer conversion takes result, and returns false. Only S_OK counts: a
// success code such as S_FALSE means the call did not do all it was asked.
bool Accepted(HRESULT result, const wchar_t *message);

// Makes the in-process scheduler. Returns 0; -1 after reporting
// "CoCreateInstance() returned: 0x%x" when the result is negative, the one
// call judged by its sign. Relies on the host having initialised COM on
// this thread.
int CreateScheduler(ITaskScheduler **scheduler);

// Makes the scheduler, hands it to work with argument, and releases it.
// Returns work's result; -1 when the scheduler cannot be made (reported).
int WithScheduler(int (*work)(ITaskScheduler *scheduler, const wchar_t *argument),
                  const wchar_t *argument);
