// ScheduleCommand against the stand-in service manager, COM and Task
// Scheduler: what is registered, what is printed, and that every failure
// stops at once, says which call failed and leaves nothing behind.
#include "scheduling/schedule_command.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>

#include "scheduling/job_name.h"
#include "tests/support/expectations.h"
#include "tests/unit/scheduling/standin_fixture.h"

namespace {

const std::vector<std::string> kJobCalls(std::begin(kCallsOfAJob), std::end(kCallsOfAJob));

std::vector<std::string> WithReleases(std::vector<std::string> calls, int held) {
  static const char *const kReleases[] = {"Release ITaskTrigger", "Release ITask",
                                          "Release ITaskScheduler"};
  for (int i = 3 - held; i < 3; ++i) calls.push_back(kReleases[i]);
  return calls;
}

std::string PosixUser() {
  const passwd *entry = getpwuid(geteuid());
  return entry ? entry->pw_name : "";
}

class ScheduleCommandTest : public StandinScheduling {
 protected:
  // The name the next job takes: ChooseJobName's, whose sequence
  // job_name_test pins.
  std::string NextJobName() const {
    wchar_t name[kJobNameChars];
    ChooseJobName(tasks_.wstring().c_str(), name);
    return WideToUtf8(name);
  }
};

TEST_F(ScheduleCommandTest, RegistersAOneTimeJobAndConfirmsIt) {
  const std::string name = NextJobName();
  const Outcome outcome =
      Captured([] { return ScheduleCommand(L"", L"echo hi", Moment(2016, 1, 5, 9, 7, 33)); });
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.out, ScheduledLine("2016-01-05 09:07", "echo hi"));
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(Calls(), WithReleases(kJobCalls, 3));
  EXPECT_STREQ(StandinNewWorkItemInterface(), "ITask");
  ASSERT_EQ(JobFiles(), std::vector<std::string>{name + ".job"});

  const std::map<std::string, std::string> expected = {
      {"Name", name},
      {"Application", "/opt/Take Command/tcc.exe"},
      {"Parameters", "/c echo hi"},
      {"WorkingDirectory", "/opt/Take Command/"},
      {"Account", PosixUser()},
      {"Password", "null"},
      {"Flags", "0x00002002"},
      {"TriggerCount", "1"},
      {"Trigger0.cbTriggerSize", "48"},
      {"Trigger0.Reserved1", "0"},
      {"Trigger0.wBeginYear", "2016"},
      {"Trigger0.wBeginMonth", "1"},
      {"Trigger0.wBeginDay", "5"},
      {"Trigger0.wEndYear", "0"},
      {"Trigger0.wEndMonth", "0"},
      {"Trigger0.wEndDay", "0"},
      {"Trigger0.wStartHour", "9"},
      {"Trigger0.wStartMinute", "7"},
      {"Trigger0.MinutesDuration", "0"},
      {"Trigger0.MinutesInterval", "0"},
      {"Trigger0.rgFlags", "0"},
      {"Trigger0.TriggerType", "0"},
      {"Trigger0.Type.MonthlyDate.rgfDays", "0"},
      {"Trigger0.Type.MonthlyDate.rgfMonths", "0"},
      {"Trigger0.Reserved2", "0"},
      {"Trigger0.wRandomMinutesInterval", "0"},
  };
  EXPECT_EQ(Job(name), expected);
}

TEST_F(ScheduleCommandTest, SecondsAndWeekdayOfTheTargetPlayNoPart) {
  SYSTEMTIME late = Moment(2030, 12, 31, 23, 59, 59);
  late.wMilliseconds = 999;
  late.wDayOfWeek = 2;
  const std::string name = NextJobName();
  const Outcome outcome = Captured([&] { return ScheduleCommand(L"", L"x", late); });
  EXPECT_EQ(outcome.out, ScheduledLine("2030-12-31 23:59", "x"));
  const auto job = Job(name);
  EXPECT_EQ(job.at("Trigger0.wBeginYear"), "2030");
  EXPECT_EQ(job.at("Trigger0.wBeginMonth"), "12");
  EXPECT_EQ(job.at("Trigger0.wBeginDay"), "31");
  EXPECT_EQ(job.at("Trigger0.wStartHour"), "23");
  EXPECT_EQ(job.at("Trigger0.wStartMinute"), "59");
}

TEST_F(ScheduleCommandTest, CommandTextReachesTheJobAndTheConfirmationUnchanged) {
  const std::wstring texts[] = {
      L"echo \"100%\" %USERNAME% %%x 'single' & dir > \"C:\\out file.txt\"",
      L"echo Grüße aus Köln — \u20AC5 \U0001F600",
      L"  leading and trailing blanks  ",
      L"echo %s %d %x %08x",
  };
  WORD minute = 0;
  std::vector<std::string> names;
  for (const std::wstring &text : texts) {
    StandinSchedulerReset();
    names.push_back(NextJobName());
    const Outcome outcome =
        Captured([&] { return ScheduleCommand(L"", text.c_str(), Moment(2016, 1, 5, 9, minute)); });
    EXPECT_EQ(outcome.result, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              ScheduledLine("2016-01-05 09:0" + std::to_string(minute), WideToUtf8(text)));
    const std::vector<std::string> files = JobFiles();
    ASSERT_EQ(files.size(), static_cast<std::size_t>(minute) + 1);
    ++minute;
  }
  // Every run here starts from the same LocalNow: each takes the next free
  // name.
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(Job(names[i]).at("Parameters"), "/c " + WideToUtf8(texts[i])) << names[i];
}

TEST_F(ScheduleCommandTest, WorkingDirectoryIsTheTrueNameOrElseTheShellsFolder) {
  std::filesystem::create_directories(root_ / "work" / "sub");
  const std::wstring winding = (root_ / "work" / "sub" / ".." / ".").wstring();
  const std::string trueName = (root_ / "work").string();
  const struct {
    std::wstring directory;
    const wchar_t *cmdspec;
    std::string expected;
  } cases[] = {
      {winding, L"/opt/Take Command/tcc.exe", trueName},
      {L"", L"/opt/Take Command/tcc.exe", "/opt/Take Command/"},
      {L"", L"C:\\TCC\\tcc.exe", "C:\\TCC\\"},
      // No true name comes back for a folder that is gone: the shell's folder.
      {(root_ / "gone").wstring(), L"D:tcc.exe", "D:"},
      // A shell path without any separator leaves the directory empty.
      {L"", L"tcc.exe", ""},
  };
  for (const auto &c : cases) {
    StandinSchedulerReset();
    std::filesystem::remove_all(tasks_);
    std::filesystem::create_directory(tasks_);
    HostSetVariable(L"_cmdspec", c.cmdspec);
    const std::string name = NextJobName();
    const Outcome outcome = Captured(
        [&] { return ScheduleCommand(c.directory.c_str(), L"x", Moment(2016, 1, 5, 9, 7)); });
    ASSERT_EQ(outcome.result, 0) << outcome.err;
    EXPECT_EQ(Calls(), WithReleases(kJobCalls, 3));
    const auto job = Job(name);
    EXPECT_EQ(job.at("WorkingDirectory"), c.expected) << WideToUtf8(c.directory);
    EXPECT_EQ(job.at("Application"), WideToUtf8(c.cmdspec));
  }
}

TEST_F(ScheduleCommandTest, NoWorkingDirectoryAtAllIsTheShellsFolder) {
  const std::string name = NextJobName();
  ASSERT_EQ(
      Captured([] { return ScheduleCommand(nullptr, L"x", Moment(2016, 1, 5, 9, 7)); }).result, 0);
  EXPECT_EQ(Job(name).at("WorkingDirectory"), "/opt/Take Command/");
}

TEST_F(ScheduleCommandTest, AFailedUserNameGivesAnEmptyAccount) {
  StandinFailGetUserName(1);
  const std::string name = NextJobName();
  const Outcome outcome =
      Captured([] { return ScheduleCommand(L"", L"x", Moment(2016, 1, 5, 9, 7)); });
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(Job(name).at("Account"), "");
  EXPECT_EQ(Job(name).at("Password"), "null");
}

TEST_F(ScheduleCommandTest, EachFailingCallIsNamedWithItsCodeAndEndsTheRequest) {
  const struct {
    const char *call;
    HRESULT code;
    const char *message;
    int held;  // interfaces held when it fails
  } cases[] = {
      {"CoCreateInstance", static_cast<HRESULT>(0x80040154),
       "CoCreateInstance() returned: 0x80040154", 0},
      {"NewWorkItem", static_cast<HRESULT>(0x80070050), "NewWorkItem() returned: 0x80070050", 1},
      {"SetApplicationName", E_INVALIDARG, "SetApplicationName() returned: 0x80070057", 2},
      {"SetApplicationName", 1, "SetApplicationName() returned: 0x1", 2},
      {"SetWorkingDirectory", E_OUTOFMEMORY, "SetWorkingDirectory() returned: 0x8007000e", 2},
      {"SetParameters", S_FALSE, "SetParameters() returned: 0x1", 2},
      {"SetAccountInformation", E_ACCESSDENIED, "SetAccountInformation() returned: 0x80070005", 2},
      {"SetFlags", 0x7FFFFFFF, "SetFlags() returned: 0x7fffffff", 2},
      {"CreateTrigger", E_FAIL, "CreateTrigger() returned: 0x80004005", 2},
      {"CreateTrigger", S_FALSE, "CreateTrigger() returned: 0x1", 3},  // trigger handed out
      {"SetTrigger", 0x10, "SetTrigger() returned: 0x10", 3},
      {"AddWorkItem", static_cast<HRESULT>(0x80070050), "AddWorkItem() returned: 0x80070050", 3},
  };
  for (const auto &c : cases) {
    StandinSchedulerReset();
    ASSERT_EQ(StandinSchedulerFail(c.call, c.code), 0);
    const Outcome outcome =
        Captured([] { return ScheduleCommand(L"", L"echo hi", Moment(2016, 1, 5, 9, 7)); });
    EXPECT_EQ(outcome.result, -1) << c.call;
    EXPECT_EQ(outcome.err, ErrorLine(c.message));
    EXPECT_EQ(outcome.out, "") << c.call;
    const auto made = std::vector<std::string>(
        kJobCalls.begin(), std::find(kJobCalls.begin(), kJobCalls.end(), c.call) + 1);
    EXPECT_EQ(Calls(), WithReleases(made, c.held)) << c.call;
    EXPECT_EQ(StandinSchedulerLiveObjects(), 0) << c.call;
    EXPECT_TRUE(JobFiles().empty()) << c.call;
  }
}

TEST_F(ScheduleCommandTest, CoCreateInstanceIsJudgedByItsSign) {
  StandinSchedulerFail("CoCreateInstance", S_FALSE);
  const std::string name = NextJobName();
  const Outcome outcome =
      Captured([] { return ScheduleCommand(L"", L"x", Moment(2016, 1, 5, 9, 7)); });
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(JobFiles(), std::vector<std::string>{name + ".job"});
}

TEST_F(ScheduleCommandTest, WithoutCOMOnTheThreadCoCreateInstanceFails) {
  CoUninitialize();
  const Outcome outcome =
      Captured([] { return ScheduleCommand(L"", L"x", Moment(2016, 1, 5, 9, 7)); });
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.err, ErrorLine("CoCreateInstance() returned: 0x800401f0"));
  EXPECT_EQ(Calls(), std::vector<std::string>{"CoCreateInstance"});
}

// Every state the service check grades as not running, with its line.
TEST_F(ScheduleCommandTest, ASchedulerNotRunningStopsBeforeCOM) {
  const struct {
    const char *state;
    const char *message;
  } cases[] = {
      {"stopped", "Task Scheduler service not running!"},
      {"paused", "Task Scheduler service not running!"},
      {"starting", "Task Scheduler service not running!"},
      {"absent", "Task Scheduler service not running!"},
      {"nomanager", "Task Scheduler service not running!"},
      {"noquery", "Task Scheduler service not running!"},
  };
  static_assert(std::size(cases) == std::size(kSchedulerStates) - 1, "every state but running");
  for (const auto &c : cases) {
    StandinSchedulerReset();
    ASSERT_EQ(StandinSetScheduleState(c.state), 0);
    const Outcome outcome =
        Captured([] { return ScheduleCommand(L"", L"x", Moment(2016, 1, 5, 9, 7)); });
    EXPECT_EQ(outcome.result, -1) << c.state;
    EXPECT_EQ(outcome.err, ErrorLine(c.message)) << c.state;
    EXPECT_EQ(outcome.out, "");
    EXPECT_TRUE(Calls().empty()) << c.state;
    EXPECT_TRUE(JobFiles().empty());
  }
}

TEST_F(ScheduleCommandTest, NoTasksFolderStopsBeforeCOM) {
  setenv("STANDIN_TASKSFOLDER", "-", 1);
  const Outcome outcome =
      Captured([] { return ScheduleCommand(L"", L"x", Moment(2016, 1, 5, 9, 7)); });
  EXPECT_EQ(outcome.result, -1);
  EXPECT_NE(outcome.err, "");  // tasks_folder_test holds the message
  EXPECT_TRUE(Calls().empty());
}

// With both missing, the line is the service's, not the Tasks folder's.
TEST_F(ScheduleCommandTest, TheServiceIsCheckedBeforeTheTasksFolder) {
  auto refusal = [] {
    return Captured([] { return ScheduleCommand(L"", L"x", Moment(2016, 1, 5, 9, 7)); }).err;
  };
  StandinSetScheduleState("stopped");
  const std::string service = refusal();
  setenv("STANDIN_TASKSFOLDER", "-", 1);
  const std::string both = refusal();
  StandinSetScheduleState("running");
  const std::string folder = refusal();
  EXPECT_NE(service, folder);
  EXPECT_EQ(both, service);
}

TEST_F(ScheduleCommandTest, AMissingCommandIsRefusedSilently) {
  const Outcome outcome =
      Captured([] { return ScheduleCommand(L"", nullptr, Moment(2016, 1, 5, 9, 7)); });
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(StandinServiceLog()->managerOpens, 0);
  EXPECT_TRUE(Calls().empty());
}

TEST_F(ScheduleCommandTest, ACommandTooLongForTheParametersIsRefusedWhole) {
  const std::wstring longest(kLongestCommandText, L'a');
  const std::string name = NextJobName();
  Outcome outcome =
      Captured([&] { return ScheduleCommand(L"", longest.c_str(), Moment(2016, 1, 5, 9, 7)); });
  EXPECT_EQ(outcome.result, 0) << outcome.err;
  EXPECT_EQ(Job(name).at("Parameters"), "/c " + std::string(kLongestCommandText, 'a'));

  StandinSchedulerReset();
  StandinResetServiceLog();
  const std::wstring tooLong(kLongestCommandText + 1, L'a');
  outcome =
      Captured([&] { return ScheduleCommand(L"", tooLong.c_str(), Moment(2016, 1, 5, 9, 8)); });
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.err, ErrorLine("Command too long: at most 16380 characters"));
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(StandinServiceLog()->managerOpens, 0);
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(JobFiles().size(), 1u);
}

}  // namespace
