// Test control of the stand-in service manager, GetUserNameW and Task
// Scheduler. Natively they behave as Windows does for the plug-in's calls;
// tests steer them here, and the service also through the environment:
//   STANDIN_SCHEDULE=running|stopped|paused|starting|absent|nomanager|noquery
//       the "Schedule" service's state (default running); absent: no such
//       service; nomanager: the manager cannot be opened; noquery: the status
//       query fails.
// Job files go where the real scheduler keeps them: the TasksFolder value of
// HKLM\SOFTWARE\Microsoft\SchedulingAgent, %VAR% expanded from the
// environment, backslashes read as slashes.
#pragma once

#include <windows.h>

// What the service manager was asked, for tests to check the arguments.
struct StandinServiceCalls {
  int managerOpens;         // OpenSCManagerW calls
  int queries;              // QueryServiceStatusEx calls
  int closes;               // successful CloseServiceHandle calls
  int badCloses;            // CloseServiceHandle of a handle not open
  int openHandles;          // handles open right now
  int machineNamed;         // 1 when the last OpenSCManagerW named a machine
  int databaseNamed;        // 1 when it named a database
  DWORD managerAccess;      // access asked of the last OpenSCManagerW
  DWORD serviceAccess;      // access asked of the last OpenServiceW
  wchar_t serviceName[64];  // name given to the last OpenServiceW (cut short)
  SC_STATUS_TYPE queryLevel;
  DWORD querySize;
};

extern "C" {
// Service manager. States as in STANDIN_SCHEDULE; returns 0, or -1 for an
// unknown word (the state is then unchanged).
int StandinSetScheduleState(const char *state);
const StandinServiceCalls *StandinServiceLog(void);
// Clears the log; open handles are still counted.
void StandinResetServiceLog(void);

// GetUserNameW: the POSIX user's name, or a failure when fail is non-zero.
void StandinFailGetUserName(int fail);

// Task Scheduler. Every call the plug-in can make is logged by name, in
// order: "CoCreateInstance", "NewWorkItem", "SetApplicationName",
// "SetWorkingDirectory", "SetParameters", "SetAccountInformation", "SetFlags",
// "CreateTrigger", "SetTrigger", "AddWorkItem", "Enum", "Next", "Activate",
// "GetNextRunTime", "GetParameters", "GetWorkingDirectory", "Delete",
// "QueryInterface", "AddRef ITaskScheduler", "Release ITask", ... (AddRef
// and Release carry the interface's name).
//
// As Windows does, Enum lists the work items by their job files' names,
// ".job" included; Activate and Delete take the name without it, read from
// and delete that file; GetNextRunTime gives the earliest one-time trigger
// later than the clock (GetLocalTime), or SCHED_S_TASK_NO_VALID_TRIGGERS as
// Wine answers for a job whose moment has passed. A job file that is not a
// record cannot be activated (SCHED_E_INVALID_TASK), one without write
// permission cannot be deleted (E_ACCESSDENIED).
//
// Makes every later call named call answer code, whatever its sign: a
// failure code does nothing, a success code (S_FALSE...) still hands out the
// object, texts or time asked for but changes nothing else (Delete deletes
// nothing). A null call clears it. Returns
// 0, or -1 for a name that cannot be made to fail.
int StandinSchedulerFail(const char *call, HRESULT code);
// Clears the log, the bad-release count, the failure and the interface
// NewWorkItem was asked for; live objects stay.
void StandinSchedulerReset(void);
int StandinSchedulerCallCount(void);
// The index-th logged call, or "" past the end.
const char *StandinSchedulerCall(int index);
// Scheduler, task and trigger objects not yet released to zero.
int StandinSchedulerLiveObjects(void);
// Releases of an object whose count was already zero.
int StandinSchedulerBadReleases(void);
// The interface the last NewWorkItem call asked for: "ITask",
// "IScheduledWorkItem", "IUnknown" or "other"; "" when none since the reset.
const char *StandinNewWorkItemInterface(void);
// How often CoInitializeEx has been called on this thread without its
// CoUninitialize.
int StandinComInitCount(void);
// Blocks from CoTaskMemAlloc not yet given back to CoTaskMemFree: the
// scheduler hands out its texts so.
int StandinTaskMemoryBlocks(void);
}
