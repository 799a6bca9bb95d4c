// Processes on Windows, for the stand-in host and the tests that start
// programs: where this program lives, and another program run to its end.
#pragma once

#include <windows.h>

#include <string>

// The full path of this program's file.
std::wstring ProgramPath();

// Runs a program with commandLine (application names its file; null: the
// first word of the line does), the caller's standard input and the given
// output and error handles, and waits for its end. Returns its exit code;
// -1 when it could not be started or had not ended after milliseconds
// (INFINITE: no bound), in which case it is ended.
int RunProgramAndWait(const wchar_t *application, std::wstring commandLine, HANDLE output,
                      HANDLE error, DWORD milliseconds);
