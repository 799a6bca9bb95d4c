// The one-time trigger of a Tardo job.
#pragma once

#include "hostapi/win_api.h"

// Fills trigger with a TASK_TIME_TRIGGER_ONCE record at target's date, hour
// and minute; every other byte 0.
void FillOnceTrigger(TASK_TRIGGER *trigger, const SYSTEMTIME &target);
