// The stand-in Task Scheduler behaves as Windows does where the other tests
// lean on it: an existing job name is refused, COM must be initialised, a
// release too many is seen, and GetUserNameW keeps its size contract.
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
