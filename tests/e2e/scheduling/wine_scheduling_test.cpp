// The scheduling subsystem against Wine's own service manager, COM and Task
// Scheduler. SchedulerStopped runs in a prefix where the Schedule service
// has not been started (CTest runs it before wine_scheduler_start);
// SchedulerRunning needs the service running and the TasksFolder value set
// (the wine_scheduler fixture).
#include <gtest/gtest.h>

#include "hostapi/host_services.h"
#include "scheduling/job_name.h"
#include "scheduling/schedule_command.h"
#include "scheduling/scheduler_service.h"
#include "scheduling/tasks_folder.h"
#include "standins/common/utf8_text.h"
#include "standins/host/takecmd/host_control.h"
#include "tests/e2e/scheduling/wine_jobs.h"
#include "tests/support/capture.h"
#include "tests/support/expectations.h"
#include "timecalc/local_now.h"

namespace {

std::wstring HostVariable(const wchar_t *name) {
  wchar_t value[kHostBufferChars];
  return HostGetVariable(name, value, kHostBufferChars) >= 0 ? value : L"";
}

TEST(SchedulerStopped, IsReportedAndNoJobIsMade) {
  ASSERT_EQ(IsSchedulerRunning(), 0) << "the Schedule service already runs in this prefix";
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  LocalNow = Moment(2016, 1, 5, 0, 0);
  const std::vector<std::wstring> before = TardoJobFiles();  // a kept prefix keeps jobs that ran
  const Outcome outcome =
      Captured([] { return ScheduleCommand(L"", L"echo stopped", Moment(2030, 1, 5, 9, 7)); });
  CoUninitialize();
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.err, ErrorLine("Task Scheduler service not running!"));
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(TardoJobFiles(), before);
}

TEST(SchedulerStopped, WithoutTheRegistryValueThereIsNoTasksFolder) {
  // A prefix kept from an earlier run still has the value: take it away.
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\SchedulingAgent", L"TasksFolder");
  wchar_t folder[kHostBufferChars];
  const Outcome outcome = Captured([&] { return FindTasksFolder(folder); });
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.err, ErrorLine("Can't find Tasks folder!"));
}

// Jobs that other tests keep in the same folder stay untouched: each test
// expects the first seed-0 name still free and removes only what it made.
class SchedulerRunning : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    before_ = TardoJobFiles();
    LocalNow = Moment(2016, 1, 5, 0, 0);
    cmdspec_ = HostVariable(L"_cmdspec");
    ASSERT_FALSE(cmdspec_.empty());
  }
  void TearDown() override {
    for (const std::wstring &file : TardoJobFiles()) {
      bool old = false;
      for (const std::wstring &kept : before_) old = old || kept == file;
      if (!old) DeleteFileW((TasksFolderPath() + L"\\" + file).c_str());
    }
    CoUninitialize();
  }

  // The name the next job takes: ChooseJobName's, whose sequence
  // job_name_test pins.
  static std::wstring NextFreeName() {
    wchar_t name[kJobNameChars];
    ChooseJobName(TasksFolderPath().c_str(), name);
    return name;
  }

  std::vector<std::wstring> before_;
  std::wstring cmdspec_;
};

TEST_F(SchedulerRunning, FindsTheServiceAndTheTasksFolder) {
  EXPECT_EQ(IsSchedulerRunning(), 1);
  wchar_t folder[kHostBufferChars];
  const Outcome outcome = Captured([&] { return FindTasksFolder(folder); });
  EXPECT_EQ(outcome.result, 0) << outcome.err;
  EXPECT_EQ(std::wstring(folder), TasksFolderPath());
}

TEST_F(SchedulerRunning, RegistersTheJobAsGiven) {
  const std::wstring texts[] = {
      L"echo hi",
      L"echo \"100%\" %USERNAME% 'single' & dir > \"C:\\out file.txt\"",
      L"echo Grüße aus Köln — \u20AC5 \U0001F600",
  };
  const std::string shellFolder = WideToUtf8(cmdspec_.substr(0, cmdspec_.rfind(L'\\') + 1));
  for (int i = 0; i < 3; ++i) {
    // The same LocalNow each time: every request takes the next free number.
    const std::wstring name = NextFreeName();
    ASSERT_FALSE(name.empty());
    const WORD minute = static_cast<WORD>(7 + i);
    const Outcome outcome = Captured(
        [&] { return ScheduleCommand(L"", texts[i].c_str(), Moment(2030, 1, 5, 9, minute)); });
    ASSERT_EQ(outcome.result, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              ScheduledLine("2030-01-05 09:0" + std::to_string(minute), WideToUtf8(texts[i])));
    EXPECT_EQ(outcome.err, "");

    const auto job = ReadJob(name);
    ASSERT_FALSE(job.empty()) << WideToUtf8(name);
    EXPECT_EQ(job.at("Application"), WideToUtf8(cmdspec_));
    EXPECT_EQ(job.at("Parameters"), "/c " + WideToUtf8(texts[i]));
    EXPECT_EQ(job.at("WorkingDirectory"), shellFolder);
    EXPECT_EQ(job.at("Flags"), "0x00002002");
    EXPECT_EQ(job.at("TriggerCount"), "1");
    const std::map<std::string, std::string> trigger = {
        {"cbTriggerSize", "48"},  {"wBeginYear", "2030"}, {"wBeginMonth", "1"},
        {"wBeginDay", "5"},       {"wStartHour", "9"},    {"wStartMinute", std::to_string(minute)},
        {"TriggerType", "0"},     {"wEndYear", "0"},      {"MinutesDuration", "0"},
        {"MinutesInterval", "0"}, {"rgFlags", "0"},       {"wRandomMinutesInterval", "0"},
    };
    for (const auto &[field, value] : trigger)
      EXPECT_EQ(job.at("Trigger0." + field), value) << field;
    RecordProperty("Account" + std::to_string(i), job.at("Account"));
  }
  EXPECT_EQ(TardoJobFiles().size(), before_.size() + 3);
}

TEST_F(SchedulerRunning, WorkingDirectoryIsTheTrueNameOfIN) {
  const std::wstring name = NextFreeName();
  const Outcome outcome = Captured([] {
    return ScheduleCommand(L"C:\\windows\\system32\\..\\temp", L"cd", Moment(2030, 1, 5, 9, 7));
  });
  ASSERT_EQ(outcome.result, 0) << outcome.err;
  const auto job = ReadJob(name);
  ASSERT_FALSE(job.empty());
  EXPECT_EQ(job.at("WorkingDirectory"), "C:\\windows\\temp");
}

// Wine keeps no account in the job file, so the account is caught on its way
// into the task: every task shares Wine's one ITask method table, whose
// SetAccountInformation entry this test points at a recorder that passes
// the call on.
struct AccountCall {
  int calls = 0;
  std::wstring account;
  bool nullPassword = false;
};
AccountCall SeenAccount;
using SetAccountEntry = HRESULT(STDMETHODCALLTYPE *)(ITask *, LPCWSTR, LPCWSTR);
SetAccountEntry WineSetAccount;

HRESULT STDMETHODCALLTYPE RecordAccount(ITask *task, LPCWSTR account, LPCWSTR password) {
  ++SeenAccount.calls;
  SeenAccount.account = account ? account : L"";
  SeenAccount.nullPassword = password == nullptr;
  return WineSetAccount(task, account, password);
}

// Puts entry into slot of the method table of object; returns what was there.
void *ReplaceMethod(void *object, int slot, void *entry) {
  void **table = *static_cast<void ***>(object);
  DWORD protection;
  if (!VirtualProtect(&table[slot], sizeof(void *), PAGE_READWRITE, &protection)) return nullptr;
  void *previous = table[slot];
  table[slot] = entry;
  VirtualProtect(&table[slot], sizeof(void *), protection, &protection);
  return previous;
}

TEST_F(SchedulerRunning, TheAccountIsTheUserWhoAsked) {
  constexpr int kSetAccountInformationSlot = 30;  // IUnknown's 3, then ITask's in their fixed order
  ITaskScheduler *scheduler = nullptr;
  ITask *task = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                             IID_ITaskScheduler, reinterpret_cast<void **>(&scheduler)),
            S_OK);
  ASSERT_EQ(scheduler->NewWorkItem(L"Tardo-probe", CLSID_CTask, IID_ITask,
                                   reinterpret_cast<IUnknown **>(&task)),
            S_OK);
  WineSetAccount = reinterpret_cast<SetAccountEntry>(
      ReplaceMethod(task, kSetAccountInformationSlot, reinterpret_cast<void *>(&RecordAccount)));
  ASSERT_NE(WineSetAccount, nullptr);
  task->SetAccountInformation(L"slot check", nullptr);  // the recorder sits in the right slot
  const AccountCall check = SeenAccount;
  SeenAccount = {};
  const Outcome outcome =
      Captured([] { return ScheduleCommand(L"", L"echo x", Moment(2030, 1, 5, 9, 7)); });
  ReplaceMethod(task, kSetAccountInformationSlot, reinterpret_cast<void *>(WineSetAccount));
  task->Release();
  scheduler->Release();

  ASSERT_EQ(check.account, L"slot check");
  ASSERT_EQ(outcome.result, 0) << outcome.err;
  wchar_t user[kHostBufferChars] = {};
  DWORD size = kHostBufferChars;
  ASSERT_TRUE(GetUserNameW(user, &size));
  EXPECT_EQ(SeenAccount.calls, 1);
  EXPECT_EQ(SeenAccount.account, std::wstring(user));
  EXPECT_NE(SeenAccount.account, L"");
  EXPECT_TRUE(SeenAccount.nullPassword);
}

// A host reads HKLM\SOFTWARE through its own registry view: a 32-bit host
// on 64-bit Windows sees WOW6432Node. With TasksFolder missing from this
// architecture's view alone, the host's tardo is refused.
TEST_F(SchedulerRunning, TheHostReadsTasksFolderFromItsOwnRegistryView) {
  const wchar_t *const key = L"SOFTWARE\\Microsoft\\SchedulingAgent";
  ASSERT_EQ(RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key, L"TasksFolder"), ERROR_SUCCESS);
  HKEY other = nullptr;
  const REGSAM otherView = sizeof(void *) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
  LSTATUS otherHasIt =
      RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE | otherView, &other);
  if (otherHasIt == ERROR_SUCCESS) {
    otherHasIt = RegQueryValueExW(other, L"TasksFolder", nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(other);
  }
  std::string output;
  const int code = RunProgram(L"\"" + ProgramFolder() + L"hostshell.exe\" --plugin \"" +
                                  ProgramFolder() + L"Tardo.dll\" /c tardo 5 min echo x",
                              &output, true);
  const wchar_t value[] = L"%SystemRoot%\\Tasks";
  const LSTATUS restored =
      RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, L"TasksFolder", REG_EXPAND_SZ, value, sizeof value);

  EXPECT_EQ(otherHasIt, ERROR_SUCCESS) << "the other view lost TasksFolder";
  EXPECT_EQ(code, 2);
  EXPECT_EQ(output, ErrorLine("Can't find Tasks folder!"));
  EXPECT_EQ(TardoJobFiles(), before_);
  ASSERT_EQ(restored, ERROR_SUCCESS);
}

TEST_F(SchedulerRunning, WithoutCOMCoCreateInstanceIsReported) {
  CoUninitialize();
  const Outcome outcome =
      Captured([] { return ScheduleCommand(L"", L"echo x", Moment(2030, 1, 5, 9, 7)); });
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.err, ErrorLine("CoCreateInstance() returned: 0x800401f0"));
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(TardoJobFiles(), before_);
}

}  // namespace
