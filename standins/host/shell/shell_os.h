// The operating system as the shell program needs it; one implementation for
// Windows, one for POSIX.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using OsSymbol = void (*)(void);

// Null on failure, with the system's reason in *error.
void *OsLoadLibrary(const std::wstring &path, std::wstring *error);
OsSymbol OsFindSymbol(void *library, const char *name);
void OsFreeLibrary(void *library);

// Runs the line with the system's command shell (cmd.exe /c, /bin/sh -c) and
// waits for it. Returns its exit code, or -1 when it could not be started.
int OsRunSystemShell(const std::wstring &line);

// The shell's standard input (stream 0), output (1) or error (2), pointed
// at a file for one command: read, written anew, or appended to. What it
// pointed at before is kept in *saved for OsRestoreStream, which closes
// the file. False when the file cannot be opened.
using OsSavedStream = std::intptr_t;
bool OsRedirectStream(int stream, const std::wstring &path, bool append, OsSavedStream *saved);
// Standard error pointed at what standard output points at now (>&), kept
// likewise for OsRestoreStream(2, ...). False when it cannot be.
bool OsShareOutput(OsSavedStream *saved);
void OsRestoreStream(int stream, OsSavedStream saved);

bool OsReadFile(const std::wstring &path, std::string *bytes);
// One line of standard input without its LF; false at the end of the input.
// Reads byte by byte so that what follows is left to the commands it runs.
bool OsReadStandardInputLine(std::string *line);

// The program's arguments without its own name: wide texts from wmain on
// Windows, UTF-8 from main elsewhere.
#ifdef _WIN32
std::vector<std::wstring> OsArguments(int count, wchar_t **values);
#else
std::vector<std::wstring> OsArguments(int count, char **values);
#endif

// The text after the /c argument (arguments[index], the program name not
// counted): on Windows the raw command line, so quotes survive as typed
// (but see there for a single argument); elsewhere the remaining arguments
// joined by blanks.
std::wstring OsCommandTail(const std::vector<std::wstring> &arguments, std::size_t index);
