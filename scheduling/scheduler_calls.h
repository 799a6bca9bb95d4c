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
