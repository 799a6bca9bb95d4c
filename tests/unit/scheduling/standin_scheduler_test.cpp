// The stand-in Task Scheduler behaves as Windows does where the other tests
// lean on it: an existing job name is refused, COM must be initialised, a
// release too many is seen, work items are listed, read and deleted as Wine
// was seen to do it, and GetUserNameW keeps its size contract.
#include <sys/stat.h>

#include <algorithm>

#include "standins/posix/standin_clock.h"
#include "tests/unit/scheduling/standin_fixture.h"

namespace {

using StandinSchedulerTest = StandinScheduling;

ITaskScheduler *NewScheduler() {
  ITaskScheduler *scheduler = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                             IID_ITaskScheduler, reinterpret_cast<void **>(&scheduler)),
            S_OK);
  return scheduler;
}

TEST_F(StandinSchedulerTest, AnExistingJobNameIsRefused) {
  std::ofstream(tasks_ / "Taken.job") << "x";
  ITaskScheduler *scheduler = NewScheduler();
  ASSERT_NE(scheduler, nullptr);
  IUnknown *unknown = reinterpret_cast<IUnknown *>(1);
  EXPECT_EQ(scheduler->NewWorkItem(L"Taken", CLSID_CTask, IID_ITask, &unknown),
            HRESULT_FILE_EXISTS);
  EXPECT_EQ(unknown, nullptr);

  ITask *task = nullptr;
  ASSERT_EQ(
      scheduler->NewWorkItem(L"Free", CLSID_CTask, IID_ITask, reinterpret_cast<IUnknown **>(&task)),
      S_OK);
  EXPECT_EQ(scheduler->AddWorkItem(L"Taken", task), HRESULT_FILE_EXISTS);
  EXPECT_EQ(scheduler->AddWorkItem(L"Free", task), S_OK);
  EXPECT_EQ(scheduler->AddWorkItem(L"Free", task), HRESULT_FILE_EXISTS);
  task->Release();
  scheduler->Release();
}

TEST_F(StandinSchedulerTest, CreatesOnlyTheSchedulerInProcessAndOnlyWithCOM) {
  void *object = nullptr;
  EXPECT_EQ(
      CoCreateInstance(CLSID_CTask, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler, &object),
      REGDB_E_CLASSNOTREG);
  EXPECT_EQ(CoCreateInstance(CLSID_CTaskScheduler, nullptr, 4, IID_ITaskScheduler, &object),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(
      CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITask, &object),
      E_NOINTERFACE);
  CoUninitialize();
  EXPECT_EQ(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                             IID_ITaskScheduler, &object),
            CO_E_NOTINITIALIZED);
  EXPECT_EQ(object, nullptr);
}

TEST_F(StandinSchedulerTest, CountsReferencesAcrossTaskAndTrigger) {
  ITaskScheduler *scheduler = NewScheduler();
  ITask *task = nullptr;
  ASSERT_EQ(scheduler->NewWorkItem(L"Counted", CLSID_CTask, IID_ITask,
                                   reinterpret_cast<IUnknown **>(&task)),
            S_OK);
  WORD index = 7;
  ITaskTrigger *trigger = nullptr;
  ASSERT_EQ(task->CreateTrigger(&index, &trigger), S_OK);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(StandinSchedulerLiveObjects(), 3);
  EXPECT_EQ(task->Release(), 1u);  // the trigger still holds the task
  EXPECT_EQ(StandinSchedulerLiveObjects(), 3);
  trigger->Release();
  EXPECT_EQ(StandinSchedulerLiveObjects(), 1);
  scheduler->Release();
  EXPECT_EQ(StandinSchedulerBadReleases(), 0);
  scheduler->Release();
  EXPECT_EQ(StandinSchedulerBadReleases(), 1);
  StandinSchedulerReset();  // the deliberate one is not the fixture's business
}

TEST_F(StandinSchedulerTest, ATriggerOfTheWrongSizeIsRefused) {
  ITaskScheduler *scheduler = NewScheduler();
  ITask *task = nullptr;
  ASSERT_EQ(scheduler->NewWorkItem(L"Sized", CLSID_CTask, IID_ITask,
                                   reinterpret_cast<IUnknown **>(&task)),
            S_OK);
  WORD index;
  ITaskTrigger *trigger = nullptr;
  ASSERT_EQ(task->CreateTrigger(&index, &trigger), S_OK);
  TASK_TRIGGER record{};
  record.cbTriggerSize = sizeof record - 2;
  EXPECT_EQ(trigger->SetTrigger(&record), E_INVALIDARG);
  trigger->Release();
  task->Release();
  scheduler->Release();
}

// A job "name" whose one trigger is at 2030-01-05 09:07, run with "/c x" in
// folder.
void AddJob(ITaskScheduler *scheduler, const wchar_t *name, const wchar_t *folder) {
  ITask *task = nullptr;
  ASSERT_EQ(
      scheduler->NewWorkItem(name, CLSID_CTask, IID_ITask, reinterpret_cast<IUnknown **>(&task)),
      S_OK);
  WORD index;
  ITaskTrigger *trigger = nullptr;
  ASSERT_EQ(task->CreateTrigger(&index, &trigger), S_OK);
  TASK_TRIGGER record{};
  record.cbTriggerSize = sizeof record;
  record.wBeginYear = 2030;
  record.wBeginMonth = 1;
  record.wBeginDay = 5;
  record.wStartHour = 9;
  record.wStartMinute = 7;
  EXPECT_EQ(trigger->SetTrigger(&record), S_OK);
  EXPECT_EQ(task->SetParameters(L"/c x"), S_OK);
  EXPECT_EQ(task->SetWorkingDirectory(folder), S_OK);
  EXPECT_EQ(scheduler->AddWorkItem(name, task), S_OK);
  trigger->Release();
  task->Release();
}

std::wstring Taken(LPWSTR text) {
  const std::wstring copy = text ? text : L"(none)";
  CoTaskMemFree(text);
  return copy;
}

TEST_F(StandinSchedulerTest, ListsReadsAndDeletesWorkItems) {
  ITaskScheduler *scheduler = NewScheduler();
  AddJob(scheduler, L"First", L"C:\\one");
  AddJob(scheduler, L"Second", L"");
  IEnumWorkItems *items = nullptr;
  ASSERT_EQ(scheduler->Enum(&items), S_OK);
  std::vector<std::wstring> listed;
  LPWSTR *names = nullptr;
  ULONG fetched = 9;
  while (items->Next(1, &names, &fetched) == S_OK) {
    listed.push_back(Taken(names[0]));
    CoTaskMemFree(names);
  }
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(names, nullptr);
  items->Release();
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::wstring>{L"First.job", L"Second.job"}));

  ITask *task = nullptr;
  ASSERT_EQ(scheduler->Activate(L"First", IID_ITask, reinterpret_cast<IUnknown **>(&task)), S_OK);
  LPWSTR text = nullptr;
  EXPECT_EQ(task->GetParameters(&text), S_OK);
  EXPECT_EQ(Taken(text), L"/c x");
  EXPECT_EQ(task->GetWorkingDirectory(&text), S_OK);
  EXPECT_EQ(Taken(text), L"C:\\one");
  // Before the trigger its moment, a Saturday; after it, no more run.
  const SYSTEMTIME before = Moment(2030, 1, 5, 9, 6, 59), after = Moment(2030, 1, 5, 9, 7);
  SYSTEMTIME next;
  StandinSetLocalTime(&before);
  EXPECT_EQ(task->GetNextRunTime(&next), S_OK);
  EXPECT_EQ(std::vector<int>({next.wYear, next.wMonth, next.wDayOfWeek, next.wDay, next.wHour,
                              next.wMinute, next.wSecond}),
            std::vector<int>({2030, 1, 6, 5, 9, 7, 0}));
  StandinSetLocalTime(&after);
  EXPECT_EQ(task->GetNextRunTime(&next), SCHED_S_TASK_NO_VALID_TRIGGERS);
  StandinSetLocalTime(nullptr);
  task->Release();

  EXPECT_EQ(scheduler->Delete(L"First"), S_OK);
  EXPECT_EQ(scheduler->Delete(L"First"), static_cast<HRESULT>(0x80070002));
  EXPECT_EQ(JobFiles(), std::vector<std::string>{"Second.job"});
  scheduler->Release();
  EXPECT_EQ(StandinTaskMemoryBlocks(), 0);
}

TEST_F(StandinSchedulerTest, RefusesWhatWineRefuses) {
  std::ofstream(tasks_ / "Garbled.job") << "garbage";
  ITaskScheduler *scheduler = NewScheduler();
  IUnknown *unknown = nullptr;
  EXPECT_EQ(scheduler->Activate(L"Garbled", IID_ITask, &unknown), SCHED_E_INVALID_TASK);
  EXPECT_EQ(scheduler->Activate(L"Missing", IID_ITask, &unknown), static_cast<HRESULT>(0x80070002));
  EXPECT_EQ(unknown, nullptr);
  chmod((tasks_ / "Garbled.job").c_str(), 0444);  // read-only, as Wine reads the bits
  EXPECT_EQ(scheduler->Delete(L"Garbled"), E_ACCESSDENIED);
  EXPECT_EQ(JobFiles(), std::vector<std::string>{"Garbled.job"});
  scheduler->Release();
}

TEST(StandinUserName, AnswersWithTheSizeContractOfWindows) {
  wchar_t name[256];
  DWORD size = 256;
  ASSERT_TRUE(GetUserNameW(name, &size));
  const DWORD length = static_cast<DWORD>(std::wcslen(name));
  EXPECT_GT(length, 0u);
  EXPECT_EQ(size, length + 1);
  size = length;  // no room for the terminator
  EXPECT_FALSE(GetUserNameW(name, &size));
  EXPECT_EQ(size, length + 1);
  StandinFailGetUserName(1);
  size = 256;
  EXPECT_FALSE(GetUserNameW(name, &size));
  StandinFailGetUserName(0);
}

}  // namespace
