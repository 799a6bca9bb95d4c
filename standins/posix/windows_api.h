// POSIX stand-in declarations of the Windows API the plug-in calls: the same
// names, types and values as the SDK, so that the plug-in builds and is tested
// natively. The implementations live beside this header (the winapi stand-in
// library); nothing here is used on Windows.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define __stdcall
#define __cdecl

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using UINT = unsigned int;
using HRESULT = std::int32_t;
using LPWSTR = wchar_t *;
using LPCWSTR = const wchar_t *;
using LPVOID = void *;
using LPDWORD = DWORD *;
using LPBYTE = BYTE *;
using HANDLE = void *;
using HWND = struct HWND__ *;
using HINSTANCE = struct HINSTANCE__ *;
using SC_HANDLE = struct SC_HANDLE__ *;
using HKEY = struct HKEY__ *;
using LSTATUS = LONG;

#define TRUE 1
#define FALSE 0

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_FAIL ((HRESULT)0x80004005)
#define E_NOINTERFACE ((HRESULT)0x80004002)
#define E_INVALIDARG ((HRESULT)0x80070057)
#define E_OUTOFMEMORY ((HRESULT)0x8007000E)
#define E_ACCESSDENIED ((HRESULT)0x80070005)
#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154)
#define HRESULT_FILE_EXISTS ((HRESULT)0x80070050)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

#define STD_INPUT_HANDLE ((DWORD)-10)
#define STD_OUTPUT_HANDLE ((DWORD)-11)
#define STD_ERROR_HANDLE ((DWORD)-12)
#define INVALID_HANDLE_VALUE ((HANDLE)(std::intptr_t)-1)

#define GENERIC_READ 0x80000000u
#define SC_STATUS_PROCESS_INFO 0
#define SERVICE_STOPPED 1
#define SERVICE_START_PENDING 2
#define SERVICE_RUNNING 4
#define SERVICE_PAUSED 7

#define HKEY_LOCAL_MACHINE ((HKEY)(std::uintptr_t)0x80000002u)
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define RRF_RT_REG_SZ 0x00000002
#define RRF_RT_REG_EXPAND_SZ 0x00000004
#define RRF_NOEXPAND 0x10000000
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_MORE_DATA 234L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_UNSUPPORTED_TYPE 1630L

#define MB_OK 0x00000000u
#define CLSCTX_INPROC_SERVER 0x1
#define COINIT_APARTMENTTHREADED 0x2

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};

struct SERVICE_STATUS_PROCESS {
  DWORD dwServiceType;
  DWORD dwCurrentState;
  DWORD dwControlsAccepted;
  DWORD dwWin32ExitCode;
  DWORD dwServiceSpecificExitCode;
  DWORD dwCheckPoint;
  DWORD dwWaitHint;
  DWORD dwProcessId;
  DWORD dwServiceFlags;
};
using SC_STATUS_TYPE = int;

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
};
using CLSID = GUID;
using IID = GUID;
using REFCLSID = const GUID &;
using REFIID = const GUID &;
inline bool operator==(const GUID &a, const GUID &b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i)
    if (a.Data4[i] != b.Data4[i]) return false;
  return true;
}

// Task Scheduler 1.0 (mstask.h)
enum TASK_TRIGGER_TYPE { TASK_TIME_TRIGGER_ONCE = 0 };

// The largest member of the SDK's union, which alone sets its size.
struct MONTHLYDATE {
  DWORD rgfDays;
  WORD rgfMonths;
};
union TRIGGER_TYPE_UNION {
  MONTHLYDATE MonthlyDate;
};

struct TASK_TRIGGER {
  WORD cbTriggerSize;
  WORD Reserved1;
  WORD wBeginYear;
  WORD wBeginMonth;
  WORD wBeginDay;
  WORD wEndYear;
  WORD wEndMonth;
  WORD wEndDay;
  WORD wStartHour;
  WORD wStartMinute;
  DWORD MinutesDuration;
  DWORD MinutesInterval;
  DWORD rgFlags;
  TASK_TRIGGER_TYPE TriggerType;
  TRIGGER_TYPE_UNION Type;
  WORD Reserved2;
  WORD wRandomMinutesInterval;
};
using PTASK_TRIGGER = TASK_TRIGGER *;
static_assert(sizeof(TASK_TRIGGER) == 48, "as the SDK lays it out");

#define TASK_FLAG_DELETE_WHEN_DONE 0x2
#define TASK_FLAG_RUN_ONLY_IF_LOGGED_ON 0x2000

struct IUnknown {
  virtual HRESULT QueryInterface(REFIID riid, void **object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};

struct ITaskTrigger : IUnknown {
  virtual HRESULT SetTrigger(const PTASK_TRIGGER trigger) = 0;

 protected:
  ~ITaskTrigger() = default;
};

struct IScheduledWorkItem : IUnknown {
  virtual HRESULT CreateTrigger(WORD *newTrigger, ITaskTrigger **trigger) = 0;
  virtual HRESULT SetFlags(DWORD flags) = 0;
  virtual HRESULT SetAccountInformation(LPCWSTR accountName, LPCWSTR password) = 0;

 protected:
  ~IScheduledWorkItem() = default;
};

struct ITask : IScheduledWorkItem {
  virtual HRESULT SetApplicationName(LPCWSTR applicationName) = 0;
  virtual HRESULT SetParameters(LPCWSTR parameters) = 0;
  virtual HRESULT SetWorkingDirectory(LPCWSTR workingDirectory) = 0;

 protected:
  ~ITask() = default;
};

struct ITaskScheduler : IUnknown {
  virtual HRESULT NewWorkItem(LPCWSTR taskName, REFCLSID clsid, REFIID riid,
                              IUnknown **unknown) = 0;
  virtual HRESULT AddWorkItem(LPCWSTR taskName, IScheduledWorkItem *workItem) = 0;

 protected:
  ~ITaskScheduler() = default;
};

extern "C" {
extern const CLSID CLSID_CTaskScheduler;
extern const IID IID_ITaskScheduler;
extern const CLSID CLSID_CTask;
extern const IID IID_ITask;
extern const IID IID_IUnknown;
extern const IID IID_IScheduledWorkItem;
extern const IID IID_ITaskTrigger;

// kernel32
void WINAPI GetLocalTime(SYSTEMTIME *time);
HANDLE WINAPI GetStdHandle(DWORD which);

// user32
HWND WINAPI GetForegroundWindow(void);
int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// advapi32
SC_HANDLE WINAPI OpenSCManagerW(LPCWSTR machine, LPCWSTR database, DWORD access);
SC_HANDLE WINAPI OpenServiceW(SC_HANDLE manager, LPCWSTR name, DWORD access);
BOOL WINAPI QueryServiceStatusEx(SC_HANDLE service, SC_STATUS_TYPE level, LPBYTE buffer, DWORD size,
                                 LPDWORD needed);
BOOL WINAPI CloseServiceHandle(SC_HANDLE handle);
BOOL WINAPI GetUserNameW(LPWSTR buffer, LPDWORD size);

LSTATUS WINAPI RegGetValueW(HKEY key, LPCWSTR subKey, LPCWSTR value, DWORD flags, LPDWORD type,
                            LPVOID data, LPDWORD bytes);

// ole32
HRESULT WINAPI CoInitializeEx(LPVOID reserved, DWORD model);
void WINAPI CoUninitialize(void);
HRESULT WINAPI CoCreateInstance(REFCLSID clsid, IUnknown *outer, DWORD context, REFIID riid,
                                LPVOID *object);
}
