// How a job is shown on standard output.
#pragma once

#include "hostapi/win_api.h"

// The line confirming a new job: "[yyyy-mm-dd hh:mm]  command" and a line
// feed, the moment's date, hour and minute.
void PrintConfirmation(const SYSTEMTIME &moment, const wchar_t *command);

// A line of the job list: "name  [yyyy-mm-dd hh:mm]  command" and a line
// feed, with "in "folder"  " before the command when folder is not null.
void PrintJobLine(const wchar_t *name, const SYSTEMTIME &moment, const wchar_t *folder,
                  const wchar_t *command);
