// <windows.h> off Windows: the POSIX stand-in declarations of the Windows
// API the plug-in calls, with the same names, types and values as the SDK, so
// that the plug-in builds and is tested natively. The native build puts this
// folder first on the include path, as Wine's own headers serve a Linux
// build; the implementations are the winapi stand-in library (one folder up).
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
using HMODULE = HINSTANCE;
using SC_HANDLE = struct SC_HANDLE__ *;
using HKEY = struct HKEY__ *;
using LSTATUS = LONG;
using SIZE_T = std::size_t;

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
#define SCHED_S_TASK_NO_VALID_TRIGGERS ((HRESULT)0x00041307)
#define SCHED_E_INVALID_TASK ((HRESULT)0x8004130E)
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

struct IUnknown {
  virtual HRESULT QueryInterface(REFIID riid, void **object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};

extern "C" {
extern const IID IID_IUnknown;

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
LPVOID WINAPI CoTaskMemAlloc(SIZE_T size);
void WINAPI CoTaskMemFree(LPVOID block);
}
