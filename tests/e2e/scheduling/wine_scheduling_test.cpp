// The scheduling subsystem against Wine's own service manager, COM and Task
// Scheduler. SchedulerStopped runs in a prefix where the Schedule service
// has not been started (CTest runs it before wine_scheduler_start);
// SchedulerRunning needs the service running and the TasksFolder value set
// (the wine_scheduler fixture).
#include <gtest/gtest.h>

#include "host/takecmd/host_control.h"
#include "plugin/host_services.h"
#include "scheduling/schedule_command.h"
#include "scheduling/scheduler_service.h"
#include "scheduling/tasks_folder.h"
#include "tests/e2e/scheduling/wine_jobs.h"
#include "tests/support/capture.h"
#include "timecalc/local_now.h"

namespace {

struct Outcome {
  int result;
  std::string out;
  std::string err;
};

template <typename Call>
Outcome Captured(Call call) {
  Capture out(Stream::Output);
  Capture err(Stream::Error);
  const int result = call();
  std::string errText = err.Finish();
  return {result, out.Finish(), errText};
}

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
  EXPECT_EQ(outcome.err, "Tardo plugin: Task Scheduler service not running!\r\n");
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(TardoJobFiles(), before);
}

TEST(SchedulerStopped, WithoutTheRegistryValueThereIsNoTasksFolder) {
  // A prefix kept from an earlier run still has the value: take it away.
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\SchedulingAgent", L"TasksFolder");
  wchar_t folder[kHostBufferChars];
  const Outcome outcome = Captured([&] { return FindTasksFolder(folder); });
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.err, "Tardo plugin: Can't find Tasks folder!\r\n");
}

// The names that LocalNow at 00:00:00.000 gives, in the order tried.
const wchar_t *const kSeedZeroNames[] = {
    L"Tardo-000003ad", L"Tardo-0064cbfc", L"Tardo-cba4da01", L"Tardo-80e53d18",
    L"Tardo-0d4214b5", L"Tardo-82cdc254", L"Tardo-5f7f18c9", L"Tardo-51bc92b0",
};

bool HasJobFile(const std::wstring &name) {
  for (const std::wstring &file : TardoJobFiles())
    if (file == name + L".job") return true;
  return false;
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

  static std::wstring NextFreeName() {
    for (const wchar_t *name : kSeedZeroNames)
      if (!HasJobFile(name)) return name;
    return L"";
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
  const std::string shellFolder = Utf8Of(cmdspec_.substr(0, cmdspec_.rfind(L'\\') + 1));
  for (int i = 0; i < 3; ++i) {
    // The same LocalNow each time: every request takes the next free number.
    const std::wstring name = NextFreeName();
    ASSERT_FALSE(name.empty());
    const WORD minute = static_cast<WORD>(7 + i);
    const Outcome outcome =
        Captured([&] { return ScheduleCommand(L"", texts[i].c_str(), Moment(2030, 1, 5, 9, minute)); });
    ASSERT_EQ(outcome.result, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "[2030-01-05 09:0" + std::to_string(minute) + "]  " + Utf8Of(texts[i]) + "\n");
    EXPECT_EQ(outcome.err, "");

    const auto job = ReadJob(name);
    ASSERT_FALSE(job.empty()) << Utf8Of(name);
    EXPECT_EQ(job.at("Application"), Utf8Of(cmdspec_));
    EXPECT_EQ(job.at("Parameters"), "/c " + Utf8Of(texts[i]));
    EXPECT_EQ(job.at("WorkingDirectory"), shellFolder);
    EXPECT_EQ(job.at("Flags"), "0x00002002");
    EXPECT_EQ(job.at("TriggerCount"), "1");
    const std::map<std::string, std::string> trigger = {
        {"cbTriggerSize", "48"}, {"wBeginYear", "2030"}, {"wBeginMonth", "1"},
        {"wBeginDay", "5"},      {"wStartHour", "9"},    {"wStartMinute", std::to_string(minute)},
        {"TriggerType", "0"},    {"wEndYear", "0"},      {"MinutesDuration", "0"},
        {"MinutesInterval", "0"}, {"rgFlags", "0"},      {"wRandomMinutesInterval", "0"},
    };
    for (const auto &[field, value] : trigger) EXPECT_EQ(job.at("Trigger0." + field), value) << field;
    RecordProperty("Account" + std::to_string(i), job.at("Account"));
  }
  EXPECT_EQ(TardoJobFiles().size(), before_.size() + 3);
}

TEST_F(SchedulerRunning, WorkingDirectoryIsTheTrueNameOfIN) {
  const std::wstring name = NextFreeName();
  const Outcome outcome = Captured(
      [] { return ScheduleCommand(L"C:\\windows\\system32\\..\\temp", L"cd", Moment(2030, 1, 5, 9, 7)); });
  ASSERT_EQ(outcome.result, 0) << outcome.err;
  const auto job = ReadJob(name);
  ASSERT_FALSE(job.empty());
  EXPECT_EQ(job.at("WorkingDirectory"), "C:\\windows\\temp");
}

TEST_F(SchedulerRunning, TheAccountIsTheUserWhoAsked) {
  // Wine keeps no account in the job file: what the job is given is what
  // GetUserNameW answers, the user the session runs as.
  wchar_t user[kHostBufferChars] = {};
  DWORD size = kHostBufferChars;
  ASSERT_TRUE(GetUserNameW(user, &size));
  EXPECT_NE(std::wstring(user), L"");
  EXPECT_EQ(std::wstring(user), HostVariable(L"USERNAME"));
  RecordProperty("User", Utf8Of(user));
}

TEST_F(SchedulerRunning, WithoutCOMCoCreateInstanceIsReported) {
  CoUninitialize();
  const Outcome outcome = Captured([] { return ScheduleCommand(L"", L"echo x", Moment(2030, 1, 5, 9, 7)); });
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.err, "Tardo plugin: CoCreateInstance() returned: 0x800401f0\r\n");
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(TardoJobFiles(), before_);
}

}  // namespace
