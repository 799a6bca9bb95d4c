// Inside the stand-in Task Scheduler: what the COM entry points, the
// objects and the job file writer share. Not for tests (see
// standin_scheduler.h).
#pragma once

#include <string>
#include <vector>

#include <mstask.h>
#include <windows.h>

// Logs a call by name (a static text).
void StandinLogSchedulerCall(const char *name);

// True when calls named call are to answer *code instead of doing their work.
bool StandinInjectedResult(const char *call, HRESULT *code);

// A new scheduler object with one reference, as interface riid.
HRESULT StandinNewScheduler(REFIID riid, void **object);

// What a job file records.
struct StandinJob {
  std::wstring application;
  std::wstring parameters;
  std::wstring workingDirectory;
  std::wstring account;
  int password;  // 0 none given (null), 1 an empty text, 2 a text
  DWORD flags;
  int triggerCount;
  TASK_TRIGGER triggers[8];
};

// The POSIX path of the job file for work item name, in the Tasks folder
// the registry names. S_OK, or the HRESULT Windows gives for a missing folder.
HRESULT StandinJobFilePath(LPCWSTR name, std::string *path);

// Writes the job file for name; an existing file is refused with
// 0x80070050 as Windows refuses an existing work item.
HRESULT StandinWriteJobFile(LPCWSTR name, const StandinJob &job);

// Reads the job file for name: 0x80070002 when there is none,
// SCHED_E_INVALID_TASK when it holds no job record.
HRESULT StandinReadJobFile(LPCWSTR name, StandinJob *job);

// Deletes the job file for name: 0x80070002 when there is none,
// E_ACCESSDENIED when it is read-only (no write permission at all).
HRESULT StandinDeleteJobFile(LPCWSTR name);

// The names of the job files in the Tasks folder, ".job" included, in the
// folder's own order; none when it cannot be read.
std::vector<std::wstring> StandinJobFileNames(void);

constexpr HRESULT kStandinFileExists = HRESULT_FILE_EXISTS;
constexpr HRESULT kStandinFileNotFound = static_cast<HRESULT>(0x80070002);
constexpr HRESULT kStandinPathNotFound = static_cast<HRESULT>(0x80070003);
constexpr HRESULT kStandinPointer = static_cast<HRESULT>(0x80004003);  // E_POINTER
