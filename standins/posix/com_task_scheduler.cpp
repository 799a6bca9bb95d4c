// The stand-in Task Scheduler objects: scheduler, task, trigger and the
// list of work items, with reference counts, a log of every call and one
// call that can be told to answer any HRESULT. Objects are never freed, only
// marked dead, so that a release too many is counted instead of touching
// freed memory.
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <cwchar>
#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "standins/posix/standin_scheduler.h"
#include "standins/posix/standin_task_objects.h"

namespace {

constexpr int kLogCapacity = 512;
const char *Log[kLogCapacity];
int LogCount = 0;
int LiveObjects = 0;
int BadReleases = 0;
const char *NewWorkItemInterface = "";  // what the last NewWorkItem asked for

const char *const kFailableCalls[] = {
    "CoCreateInstance",
    "NewWorkItem",
    "SetApplicationName",
    "SetWorkingDirectory",
    "SetParameters",
    "SetAccountInformation",
    "SetFlags",
    "CreateTrigger",
    "SetTrigger",
    "AddWorkItem",
    "Enum",
    "Next",
    "Activate",
    "GetNextRunTime",
    "GetParameters",
    "GetWorkingDirectory",
    "Delete",
};

struct Injection {
  const char *call;  // one of kFailableCalls, or null
  HRESULT code;
};
Injection Injected = {nullptr, S_OK};

const char *FailableCall(const char *name, std::size_t length) {
  for (const char *call : kFailableCalls)
    if (std::strlen(call) == length && std::strncmp(call, name, length) == 0) return call;
  return nullptr;
}

const char *InterfaceName(REFIID riid) {
  if (riid == IID_ITask) return "ITask";
  if (riid == IID_IScheduledWorkItem) return "IScheduledWorkItem";
  if (riid == IID_IUnknown) return "IUnknown";
  return "other";
}

// A copy of text from the task allocator, as the scheduler hands out texts.
LPWSTR TaskMemoryCopy(const std::wstring &text) {
  auto *copy = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
  std::wmemcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

// The day of the week (0 Sunday) of a date.
WORD DayOfWeek(WORD year, WORD month, WORD day) {
  const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                         std::chrono::day{day}};
  return static_cast<WORD>(std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding());
}

class Counted;
class Task;

// Every object made, kept reachable till the very end (these lists are
// never destroyed either), since objects are never freed.
std::vector<Counted *> &Everything() {
  static auto *all = new std::vector<Counted *>;
  return *all;
}
std::vector<Task *> &Tasks() {  // so AddWorkItem can tell its own tasks
  static auto *all = new std::vector<Task *>;
  return *all;
}

// Reference counting shared by the three kinds of object.
class Counted {
 protected:
  explicit Counted(const char *addRefName, const char *releaseName)
      : addRefName_(addRefName), releaseName_(releaseName) {
    ++LiveObjects;
    Everything().push_back(this);
  }
  ULONG AddRefCount() {
    StandinLogSchedulerCall(addRefName_);
    return Hold();
  }
  // True when this release was the last one.
  bool ReleaseCount(ULONG *left) {
    StandinLogSchedulerCall(releaseName_);
    return Drop(left);
  }
  // Release of an object that holds nothing else.
  ULONG ReleaseAlone() {
    ULONG left;
    ReleaseCount(&left);
    return left;
  }
  // The same without a log entry: one object's hold on another.
  ULONG Hold() {
    if (refs_ == 0) {
      ++BadReleases;  // revived after its end: as wrong as a release too many
      return 0;
    }
    return ++refs_;
  }
  bool Drop(ULONG *left) {
    if (refs_ == 0) {
      ++BadReleases;
      *left = 0;
      return false;
    }
    *left = --refs_;
    if (refs_ != 0) return false;
    --LiveObjects;
    return true;
  }
  bool Alive() const { return refs_ != 0; }
  // QueryInterface of an object that is self as IUnknown and as each of the
  // interfaces accepted.
  HRESULT Query(REFIID riid, std::initializer_list<const IID *> accepted, void *self,
                void **object) {
    StandinLogSchedulerCall("QueryInterface");
    if (!object) return kStandinPointer;
    *object = nullptr;
    bool known = riid == IID_IUnknown;
    for (const IID *id : accepted) known = known || riid == *id;
    if (!known) return E_NOINTERFACE;
    AddRefCount();
    *object = self;
    return S_OK;
  }

 private:
  const char *addRefName_;
  const char *releaseName_;
  ULONG refs_ = 1;
};

class Trigger final : public ITaskTrigger, Counted {
 public:
  Trigger(Task *task, int index)
      : Counted("AddRef ITaskTrigger", "Release ITaskTrigger"), task_(task), index_(index) {}
  HRESULT QueryInterface(REFIID riid, void **object) override {
    return Query(riid, {&IID_ITaskTrigger}, static_cast<ITaskTrigger *>(this), object);
  }
  ULONG AddRef() override { return AddRefCount(); }
  ULONG Release() override;
  HRESULT SetTrigger(const PTASK_TRIGGER trigger) override;

 private:
  Task *task_;
  int index_;
};

class Task final : public ITask, Counted {
 public:
  Task() : Counted("AddRef ITask", "Release ITask") {}
  HRESULT QueryInterface(REFIID riid, void **object) override {
    return Query(riid, {&IID_IScheduledWorkItem, &IID_ITask}, static_cast<ITask *>(this), object);
  }
  ULONG AddRef() override { return AddRefCount(); }
  ULONG Release() override {
    ULONG left;
    if (ReleaseCount(&left)) job_ = StandinJob{};
    return left;
  }
  void Unhold() {
    ULONG left;
    if (Drop(&left)) job_ = StandinJob{};
  }
  HRESULT CreateTrigger(WORD *newTrigger, ITaskTrigger **trigger) override;
  HRESULT SetFlags(DWORD flags) override {
    return Set("SetFlags", [&] { job_.flags = flags; });
  }
  HRESULT SetAccountInformation(LPCWSTR accountName, LPCWSTR password) override {
    if (!accountName) return Logged("SetAccountInformation", E_INVALIDARG);
    return Set("SetAccountInformation", [&] {
      job_.account = accountName;
      job_.password = !password ? 0 : (*password == L'\0' ? 1 : 2);
    });
  }
  HRESULT SetApplicationName(LPCWSTR applicationName) override {
    return SetText("SetApplicationName", applicationName, &job_.application);
  }
  HRESULT SetParameters(LPCWSTR parameters) override {
    return SetText("SetParameters", parameters, &job_.parameters);
  }
  HRESULT SetWorkingDirectory(LPCWSTR workingDirectory) override {
    return SetText("SetWorkingDirectory", workingDirectory, &job_.workingDirectory);
  }
  HRESULT GetParameters(LPWSTR *parameters) override {
    return GetText("GetParameters", job_.parameters, parameters);
  }
  HRESULT GetWorkingDirectory(LPWSTR *workingDirectory) override {
    return GetText("GetWorkingDirectory", job_.workingDirectory, workingDirectory);
  }
  HRESULT GetNextRunTime(SYSTEMTIME *nextRun) override;

  StandinJob *Job() { return &job_; }
  bool IsLive() const { return Alive(); }

 private:
  // Logs the call; an injected answer replaces the work.
  template <typename Work>
  HRESULT Set(const char *call, Work work) {
    StandinLogSchedulerCall(call);
    HRESULT code;
    if (StandinInjectedResult(call, &code)) return code;
    work();
    return S_OK;
  }
  HRESULT SetText(const char *call, LPCWSTR text, std::wstring *field) {
    if (!text) return Logged(call, E_INVALIDARG);
    return Set(call, [&] { *field = text; });
  }
  // Hands out a copy of field; an injected failure hands out nothing.
  static HRESULT GetText(const char *call, const std::wstring &field, LPWSTR *text) {
    StandinLogSchedulerCall(call);
    if (!text) return kStandinPointer;
    *text = nullptr;
    HRESULT code = S_OK;
    if (StandinInjectedResult(call, &code) && code < 0) return code;
    *text = TaskMemoryCopy(field);
    return code;
  }
  static HRESULT Logged(const char *call, HRESULT code) {
    StandinLogSchedulerCall(call);
    HRESULT injected;
    return StandinInjectedResult(call, &injected) ? injected : code;
  }

  StandinJob job_{};
};

ULONG Trigger::Release() {
  ULONG left;
  if (ReleaseCount(&left)) task_->Unhold();  // a trigger holds its task
  return left;
}

HRESULT Trigger::SetTrigger(const PTASK_TRIGGER trigger) {
  StandinLogSchedulerCall("SetTrigger");
  HRESULT code;
  if (StandinInjectedResult("SetTrigger", &code)) return code;
  if (!trigger) return kStandinPointer;
  if (trigger->cbTriggerSize != sizeof(TASK_TRIGGER)) return E_INVALIDARG;
  task_->Job()->triggers[index_] = *trigger;
  return S_OK;
}

HRESULT Task::GetNextRunTime(SYSTEMTIME *nextRun) {
  StandinLogSchedulerCall("GetNextRunTime");
  if (!nextRun) return kStandinPointer;
  *nextRun = SYSTEMTIME{};
  HRESULT code = S_OK;
  if (StandinInjectedResult("GetNextRunTime", &code) && code < 0) return code;
  SYSTEMTIME now;
  GetLocalTime(&now);
  const auto present = std::make_tuple(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                                       now.wSecond, now.wMilliseconds);
  const TASK_TRIGGER *earliest = nullptr;
  auto moment = [](const TASK_TRIGGER &t) {
    return std::make_tuple(t.wBeginYear, t.wBeginMonth, t.wBeginDay, t.wStartHour, t.wStartMinute,
                           WORD{0}, WORD{0});
  };
  for (int i = 0; i < job_.triggerCount; ++i) {
    const TASK_TRIGGER &t = job_.triggers[i];
    if (t.TriggerType == TASK_TIME_TRIGGER_ONCE && moment(t) > present &&
        (!earliest || moment(t) < moment(*earliest)))
      earliest = &t;
  }
  if (!earliest) return SCHED_S_TASK_NO_VALID_TRIGGERS;
  *nextRun = SYSTEMTIME{earliest->wBeginYear,
                        earliest->wBeginMonth,
                        DayOfWeek(earliest->wBeginYear, earliest->wBeginMonth, earliest->wBeginDay),
                        earliest->wBeginDay,
                        earliest->wStartHour,
                        earliest->wStartMinute,
                        0,
                        0};
  return code;
}

HRESULT Task::CreateTrigger(WORD *newTrigger, ITaskTrigger **trigger) {
  StandinLogSchedulerCall("CreateTrigger");
  if (!newTrigger || !trigger) return kStandinPointer;
  *trigger = nullptr;
  HRESULT code = S_OK;
  if (StandinInjectedResult("CreateTrigger", &code) && code < 0) return code;
  const int index = job_.triggerCount;
  if (index >= 8) return E_OUTOFMEMORY;
  if (code == S_OK) {
    // A new trigger starts as a one-time trigger at the present minute.
    SYSTEMTIME now;
    GetLocalTime(&now);
    TASK_TRIGGER &made = job_.triggers[index];
    made = TASK_TRIGGER{};
    made.cbTriggerSize = sizeof(TASK_TRIGGER);
    made.wBeginYear = now.wYear;
    made.wBeginMonth = now.wMonth;
    made.wBeginDay = now.wDay;
    made.wStartHour = now.wHour;
    made.wStartMinute = now.wMinute;
    made.TriggerType = TASK_TIME_TRIGGER_ONCE;
    job_.triggerCount = index + 1;
    *newTrigger = static_cast<WORD>(index);
  }
  Hold();  // the trigger's hold on its task
  *trigger = new Trigger(this, index);
  return code;
}

// What Enum hands out: the job files' names as they were then.
class WorkItems final : public IEnumWorkItems, Counted {
 public:
  explicit WorkItems(std::vector<std::wstring> names)
      : Counted("AddRef IEnumWorkItems", "Release IEnumWorkItems"), names_(std::move(names)) {}
  HRESULT QueryInterface(REFIID riid, void **object) override {
    return Query(riid, {&IID_IEnumWorkItems}, static_cast<IEnumWorkItems *>(this), object);
  }
  ULONG AddRef() override { return AddRefCount(); }
  ULONG Release() override { return ReleaseAlone(); }

  // Up to count names, each and their array from the task allocator; S_OK
  // when count were given, S_FALSE when the list ran out first.
  HRESULT Next(ULONG count, LPWSTR **names, ULONG *fetched) override {
    StandinLogSchedulerCall("Next");
    if (!names || (count != 1 && !fetched)) return kStandinPointer;
    *names = nullptr;
    if (fetched) *fetched = 0;
    HRESULT code = S_OK;
    if (StandinInjectedResult("Next", &code) && code < 0) return code;
    const ULONG left = static_cast<ULONG>(names_.size() - next_);
    const ULONG given = count < left ? count : left;
    if (given > 0) {
      *names = static_cast<LPWSTR *>(CoTaskMemAlloc(given * sizeof(LPWSTR)));
      for (ULONG i = 0; i < given; ++i) (*names)[i] = TaskMemoryCopy(names_[next_++]);
    }
    if (fetched) *fetched = given;
    return code != S_OK ? code : (given == count ? S_OK : S_FALSE);
  }

 private:
  std::vector<std::wstring> names_;
  std::size_t next_ = 0;
};

class Scheduler final : public ITaskScheduler, Counted {
 public:
  Scheduler() : Counted("AddRef ITaskScheduler", "Release ITaskScheduler") {}
  HRESULT QueryInterface(REFIID riid, void **object) override {
    return Query(riid, {&IID_ITaskScheduler}, static_cast<ITaskScheduler *>(this), object);
  }
  ULONG AddRef() override { return AddRefCount(); }
  ULONG Release() override { return ReleaseAlone(); }

  HRESULT NewWorkItem(LPCWSTR taskName, REFCLSID clsid, REFIID riid, IUnknown **unknown) override {
    StandinLogSchedulerCall("NewWorkItem");
    NewWorkItemInterface = InterfaceName(riid);
    if (!unknown) return kStandinPointer;
    *unknown = nullptr;
    HRESULT code = S_OK;
    if (StandinInjectedResult("NewWorkItem", &code)) {
      if (code < 0) return code;
    } else {
      if (!taskName || *taskName == L'\0') return E_INVALIDARG;
      if (!(clsid == CLSID_CTask))
        return static_cast<HRESULT>(0x80040111);  // CLASS_E_CLASSNOTAVAILABLE
      if (!(riid == IID_IUnknown || riid == IID_IScheduledWorkItem || riid == IID_ITask))
        return E_NOINTERFACE;
      // Windows refuses a name that a job already has.
      std::string path;
      const HRESULT found = StandinJobFilePath(taskName, &path);
      if (found != S_OK) return found;
      if (access(path.c_str(), F_OK) == 0) return kStandinFileExists;
    }
    Task *task = new Task();
    Tasks().push_back(task);
    *unknown = static_cast<ITask *>(task);
    return code;
  }

  HRESULT Enum(IEnumWorkItems **items) override {
    StandinLogSchedulerCall("Enum");
    if (!items) return kStandinPointer;
    *items = nullptr;
    HRESULT code = S_OK;
    if (StandinInjectedResult("Enum", &code) && code < 0) return code;
    *items = new WorkItems(StandinJobFileNames());
    return code;
  }

  HRESULT Activate(LPCWSTR name, REFIID riid, IUnknown **unknown) override {
    StandinLogSchedulerCall("Activate");
    if (!unknown) return kStandinPointer;
    *unknown = nullptr;
    HRESULT code = S_OK;
    if (StandinInjectedResult("Activate", &code) && code < 0) return code;
    if (!name || *name == L'\0') return E_INVALIDARG;
    if (!(riid == IID_IUnknown || riid == IID_IScheduledWorkItem || riid == IID_ITask))
      return E_NOINTERFACE;
    StandinJob job;
    const HRESULT read = StandinReadJobFile(name, &job);
    if (read != S_OK) return read;
    Task *task = new Task();
    Tasks().push_back(task);
    *task->Job() = job;
    *unknown = static_cast<ITask *>(task);
    return code;
  }

  HRESULT Delete(LPCWSTR name) override {
    StandinLogSchedulerCall("Delete");
    HRESULT code;
    if (StandinInjectedResult("Delete", &code)) return code;
    if (!name || *name == L'\0') return E_INVALIDARG;
    return StandinDeleteJobFile(name);
  }

  HRESULT AddWorkItem(LPCWSTR taskName, IScheduledWorkItem *workItem) override {
    StandinLogSchedulerCall("AddWorkItem");
    HRESULT code;
    if (StandinInjectedResult("AddWorkItem", &code)) return code;
    if (!taskName || *taskName == L'\0' || !workItem) return E_INVALIDARG;
    for (Task *task : Tasks())
      if (static_cast<IScheduledWorkItem *>(task) == workItem && task->IsLive())
        return StandinWriteJobFile(taskName, *task->Job());
    return E_INVALIDARG;
  }
};

}  // namespace

void StandinLogSchedulerCall(const char *name) {
  if (LogCount < kLogCapacity) Log[LogCount] = name;
  ++LogCount;
}

bool StandinInjectedResult(const char *call, HRESULT *code) {
  if (!Injected.call || std::strcmp(Injected.call, call) != 0) return false;
  *code = Injected.code;
  return true;
}

HRESULT StandinNewScheduler(REFIID riid, void **object) {
  if (!(riid == IID_IUnknown || riid == IID_ITaskScheduler)) return E_NOINTERFACE;
  *object = static_cast<ITaskScheduler *>(new Scheduler());
  return S_OK;
}

int StandinSchedulerFail(const char *call, HRESULT code) {
  if (!call) {
    Injected = {nullptr, S_OK};
    return 0;
  }
  const char *known = FailableCall(call, std::strlen(call));
  if (!known) return -1;
  Injected = {known, code};
  return 0;
}

void StandinSchedulerReset(void) {
  Injected = {nullptr, S_OK};
  LogCount = 0;
  BadReleases = 0;
  NewWorkItemInterface = "";
}

int StandinSchedulerCallCount(void) { return LogCount; }

const char *StandinSchedulerCall(int index) {
  return (index >= 0 && index < LogCount && index < kLogCapacity) ? Log[index] : "";
}

int StandinSchedulerLiveObjects(void) { return LiveObjects; }

int StandinSchedulerBadReleases(void) { return BadReleases; }

const char *StandinNewWorkItemInterface(void) { return NewWorkItemInterface; }
