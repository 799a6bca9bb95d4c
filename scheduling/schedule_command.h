// Registering a one-time Task Scheduler job that runs a command line in the
// host's shell.
#pragma once

#include "hostapi/host_services.h"

// Longest command text that "/c " and the text leave room for in a host
// buffer.
constexpr int kLongestCommandText = kHostBufferChars - 1 - 3;

// Registers a job that runs "%_cmdspec /c commandText" at target's minute in
// workingDirectory (empty: the shell's own folder), under the current user,
// only while that user is logged on, deleted once done; then prints
// "[yyyy-mm-dd hh:mm]  commandText". Returns 0, or -1 after reporting why
// (silently for a missing command text). Relies on the host having
// initialised COM on this thread.
int ScheduleCommand(const wchar_t *workingDirectory, const wchar_t *commandText, SYSTEMTIME target);
