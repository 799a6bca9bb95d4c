// Helpers for the scheduling tests under Wine: the real Tasks folder, its
// Tardo jobs, and a job read back by job_reader (tests/tools).
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/moment.h"

// The folder the scheduler keeps its jobs in: %windir%\Tasks.
std::wstring TasksFolderPath();

// Names of the Tardo-*.job files there.
std::vector<std::wstring> TardoJobFiles();

// This program's own folder, with its trailing backslash.
std::wstring ProgramFolder();

// Runs a program (command line as given) and collects its standard output,
// and its standard error too when withErrors is set. Returns its exit
// status, or -1 when it could not be started or had not ended after a
// minute, far above the second it takes.
int RunProgram(const std::wstring &commandLine, std::string *output, bool withErrors = false);

// The job read back through the Task Scheduler API: its record, empty when
// job_reader could not read it.
std::map<std::string, std::string> ReadJob(const std::wstring &name);
