// TARDO /L and /D below the grammar, against the stand-in scheduler: which
// work items are Tardo's pending jobs, their order and lines, what deleting
// leaves, and that every failing call is named with its code, ends the
// command and leaves no interface or text behind.
#include <cctype>
#include <functional>
#include <set>

#include "scheduling/delete_jobs.h"
#include "scheduling/job_name.h"
#include "scheduling/list_jobs.h"
#include "scheduling/schedule_command.h"
#include "standins/posix/standin_clock.h"
#include "tests/support/expectations.h"
#include "tests/unit/scheduling/standin_fixture.h"

namespace {

class JobListTest : public StandinScheduling {
 protected:
  void SetUp() override {
    StandinScheduling::SetUp();
    const SYSTEMTIME now = Moment(2016, 1, 5, 0, 0);
    StandinSetLocalTime(&now);
  }
  void TearDown() override {
    StandinSetLocalTime(nullptr);
    EXPECT_EQ(StandinTaskMemoryBlocks(), 0);
    StandinScheduling::TearDown();
  }

  // Schedules command at moment as tardo does; returns the job's name.
  std::string Schedule(const SYSTEMTIME &moment, const wchar_t *command,
                       const std::wstring &folder = L"") {
    wchar_t name[kJobNameChars];
    ChooseJobName(tasks_.wstring().c_str(), name);
    EXPECT_EQ(Captured([&] { return ScheduleCommand(folder.c_str(), command, moment); }).result, 0);
    return WideToUtf8(name);
  }

  // Another work item, a copy of a Tardo job under the name given.
  void Copy(const std::string &job, const std::string &name) {
    std::filesystem::copy_file(tasks_ / (job + ".job"), tasks_ / (name + ".job"));
  }
};

TEST_F(JobListTest, ListsPendingTardoJobsEarliestFirst) {
  std::filesystem::create_directory(root_ / "work");
  const std::string late = Schedule(Moment(2016, 2, 1, 8, 0), L"echo \"late\" 100%");
  const std::string early = Schedule(Moment(2016, 1, 5, 9, 7, 30), L"echo early");
  const std::string away =
      Schedule(Moment(2016, 1, 9, 23, 59), L"make", (root_ / "work").wstring());
  const std::string passed = Schedule(Moment(2016, 1, 4, 23, 59), L"echo passed");
  Copy(early, "Backup");
  Copy(early, "Tardo-ABCDEF01");  // upper-case digits: not a name Tardo gives
  StandinSchedulerReset();
  const Outcome outcome = Captured(ListJobs);
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.out, JobLine(early, "2016-01-05 09:07", "echo early") +
                             JobLine(away, "2016-01-09 23:59", "make", (root_ / "work").string()) +
                             JobLine(late, "2016-02-01 08:00", "echo \"late\" 100%"));
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(passed.size(), 14u);  // scheduled, but past its moment
  EXPECT_EQ(JobFiles().size(), 6u);
}

TEST_F(JobListTest, SaysSoWhenNoJobIsPending) {
  Copy(Schedule(Moment(2016, 1, 4, 23, 59), L"x"), "Backup");
  const Outcome outcome = Captured(ListJobs);
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.out, kNoPendingJobs);
}

TEST_F(JobListTest, DeletesOnePendingJobByNameOrEveryOne) {
  const std::string first = Schedule(Moment(2016, 1, 6, 9, 0), L"x");
  const std::string second = Schedule(Moment(2016, 1, 7, 9, 0), L"y");
  const std::string third = Schedule(Moment(2016, 1, 8, 9, 0), L"z");
  const std::string passed = Schedule(Moment(2016, 1, 4, 9, 0), L"p");
  Copy(first, "Tardo-ABCDEF01");
  auto remove = [](const std::string &name) {
    return Captured([&] { return DeleteJob(Utf8ToWide(name).c_str()); });
  };
  std::string upper = second;
  for (char &ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));

  Outcome outcome = remove(upper);  // the scheduler's names ignore case
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.out, DeletedLine(second));
  for (const std::string &name : {second, passed, std::string("Tardo-ABCDEF01")}) {
    outcome = remove(name);
    EXPECT_EQ(outcome.result, 1) << name;
    EXPECT_EQ(outcome.err, ErrorLine("No such Tardo job:  " + name));
    EXPECT_EQ(outcome.out, "");
  }
  outcome = Captured(DeleteAllJobs);
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.out, DeletedCountLine(2));
  const std::vector<std::string> files = JobFiles();
  EXPECT_EQ(std::set<std::string>(files.begin(), files.end()),
            (std::set<std::string>{"Tardo-ABCDEF01.job", passed + ".job"}));
  EXPECT_EQ(Captured(DeleteAllJobs).out, DeletedCountLine(0));
  Schedule(Moment(2016, 1, 6, 9, 0), L"x");
  EXPECT_EQ(Captured(DeleteAllJobs).out, DeletedCountLine(1));
}

TEST_F(JobListTest, EachFailingCallIsNamedWithItsCodeAndEndsTheCommand) {
  const std::string name = Schedule(Moment(2016, 1, 6, 9, 0), L"x");
  const std::wstring wide = Utf8ToWide(name);
  const std::function<int()> list = ListJobs, all = DeleteAllJobs;
  const std::function<int()> one = [&] { return DeleteJob(wide.c_str()); };
  const struct {
    const char *what;
    const std::function<int()> &operation;
    const char *call;
    HRESULT code;
    const char *message;
  } cases[] = {
      {"/L", list, "CoCreateInstance", REGDB_E_CLASSNOTREG,
       "CoCreateInstance() returned: 0x80040154"},
      {"/L", list, "Enum", E_OUTOFMEMORY, "Enum() returned: 0x8007000e"},
      {"/L", list, "Enum", S_FALSE, "Enum() returned: 0x1"},
      {"/L", list, "Next", E_FAIL, "Next() returned: 0x80004005"},
      {"/L", list, "Activate", SCHED_E_INVALID_TASK, "Activate() returned: 0x8004130e"},
      {"/L", list, "Activate", S_FALSE, "Activate() returned: 0x1"},
      {"/L", list, "GetNextRunTime", E_ACCESSDENIED, "GetNextRunTime() returned: 0x80070005"},
      {"/L", list, "GetParameters", S_FALSE, "GetParameters() returned: 0x1"},
      {"/L", list, "GetWorkingDirectory", E_FAIL, "GetWorkingDirectory() returned: 0x80004005"},
      {"/D name", one, "Enum", E_FAIL, "Enum() returned: 0x80004005"},
      {"/D name", one, "Activate", E_FAIL, "Activate() returned: 0x80004005"},
      {"/D name", one, "Delete", E_ACCESSDENIED, "Delete() returned: 0x80070005"},
      {"/D *", all, "CoCreateInstance", CO_E_NOTINITIALIZED,
       "CoCreateInstance() returned: 0x800401f0"},
      {"/D *", all, "GetNextRunTime", E_FAIL, "GetNextRunTime() returned: 0x80004005"},
      {"/D *", all, "Delete", S_FALSE, "Delete() returned: 0x1"},
  };
  for (const auto &c : cases) {
    StandinSchedulerReset();
    ASSERT_EQ(StandinSchedulerFail(c.call, c.code), 0) << c.call;
    const Outcome outcome = Captured(c.operation);
    EXPECT_EQ(outcome.result, -1) << c.what << " " << c.call;
    EXPECT_EQ(outcome.err, ErrorLine(c.message));
    EXPECT_EQ(outcome.out, "") << c.what << " " << c.call;
    EXPECT_EQ(StandinSchedulerLiveObjects(), 0) << c.what << " " << c.call;
    EXPECT_EQ(StandinTaskMemoryBlocks(), 0) << c.what << " " << c.call;
    EXPECT_EQ(JobFiles(), std::vector<std::string>{name + ".job"}) << c.what << " " << c.call;
  }
}

// A next run the scheduler answers with a success code other than S_OK
// (no more runs, no valid trigger) is no next run: the job is not pending.
TEST_F(JobListTest, OnlyANextRunGivenWithSOkIsPending) {
  Schedule(Moment(2016, 1, 6, 9, 0), L"x");
  StandinSchedulerFail("GetNextRunTime", SCHED_S_TASK_NO_VALID_TRIGGERS);
  EXPECT_EQ(Captured(ListJobs).out, kNoPendingJobs);
}

}  // namespace
