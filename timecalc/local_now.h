// The local time read once at the start of each tardo command. The command
// writes it; the target-time and job-naming code read it within that command.
#pragma once

#include "hostapi/win_api.h"

extern SYSTEMTIME LocalNow;
