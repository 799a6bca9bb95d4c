// The folder in which the Task Scheduler keeps its job files.
#pragma once

#include "hostapi/host_services.h"

// Longest Tasks folder path that still takes a separator and a job file
// name ("Tardo-0318f736.job", 18 characters) within a host buffer.
constexpr int kLongestTasksFolder = kHostBufferChars - 1 - 1 - 18;

// Fills folder (kHostBufferChars characters) with the Tasks folder from the
// registry, its variables expanded. Returns 0; or -1 after reporting
// "Can't find Tasks folder!" when the value is empty, "-1" (cannot be read),
// not an existing directory, or too long to hold a job file's path.
int FindTasksFolder(wchar_t *folder);
