// <mstask.h> off Windows: the Task Scheduler 1.0 interfaces the plug-in
// uses, as the SDK declares them (the stand-in scheduler implements them).
#pragma once

#include <windows.h>

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

struct ITaskTrigger : IUnknown {
  virtual HRESULT SetTrigger(const PTASK_TRIGGER trigger) = 0;

 protected:
  ~ITaskTrigger() = default;
};

struct IScheduledWorkItem : IUnknown {
  virtual HRESULT CreateTrigger(WORD *newTrigger, ITaskTrigger **trigger) = 0;
  virtual HRESULT GetNextRunTime(SYSTEMTIME *nextRun) = 0;
  virtual HRESULT SetFlags(DWORD flags) = 0;
  virtual HRESULT SetAccountInformation(LPCWSTR accountName, LPCWSTR password) = 0;

 protected:
  ~IScheduledWorkItem() = default;
};

struct ITask : IScheduledWorkItem {
  virtual HRESULT SetApplicationName(LPCWSTR applicationName) = 0;
  virtual HRESULT SetParameters(LPCWSTR parameters) = 0;
  virtual HRESULT GetParameters(LPWSTR *parameters) = 0;
  virtual HRESULT SetWorkingDirectory(LPCWSTR workingDirectory) = 0;
  virtual HRESULT GetWorkingDirectory(LPWSTR *workingDirectory) = 0;

 protected:
  ~ITask() = default;
};

struct IEnumWorkItems : IUnknown {
  virtual HRESULT Next(ULONG count, LPWSTR **names, ULONG *fetched) = 0;

 protected:
  ~IEnumWorkItems() = default;
};

struct ITaskScheduler : IUnknown {
  virtual HRESULT Enum(IEnumWorkItems **items) = 0;
  virtual HRESULT Activate(LPCWSTR name, REFIID riid, IUnknown **unknown) = 0;
  virtual HRESULT Delete(LPCWSTR name) = 0;
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
extern const IID IID_IScheduledWorkItem;
extern const IID IID_ITaskTrigger;
extern const IID IID_IEnumWorkItems;
}
