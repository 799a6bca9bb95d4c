// How a job is shown on standard output.
#pragma once

#include "hostapi/win_api.h"

// The line confirming a new job: "[yyyy-mm-dd hh:mm]  command" and a line
// feed, the moment's date, hour and minute.
void PrintConfirmation(const SYSTEMTIME &moment, const wchar_t *command);
