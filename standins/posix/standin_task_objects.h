// Inside the stand-in Task Scheduler: what the COM entry points, the
// objects and the job file writer share. Not for tests (see
// standin_scheduler.h).
#pragma once

#include <string>

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

constexpr HRESULT kStandinFileExists = HRESULT_FILE_EXISTS;
constexpr HRESULT kStandinPathNotFound = static_cast<HRESULT>(0x80070003);
constexpr HRESULT kStandinPointer = static_cast<HRESULT>(0x80004003);  // E_POINTER
