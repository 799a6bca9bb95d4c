// The plug-in's exports make no heap allocation of their own: whole tardo
// commands on success and on every error path (every row of the end-to-end
// command table, then the limits, the scheduler's refusals and the listing
// and deleting of jobs that the table leaves out), and the other exports,
// each called on Tardo.so as the host calls it, with the heap counter's
// window open around the call only. What the host's services and the
// Windows stand-ins allocate while serving the plug-in is theirs and is not
// counted against it (heap_counter.h says how the two are told apart); the
// first tests show that the counter does count a library's own allocations.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "hostapi/win_api.h"
#include "plugin/exports.h"
#include "standins/common/utf8_text.h"
#include "standins/host/takecmd/host_control.h"
#include "standins/posix/standin_clock.h"
#include "standins/posix/standin_message_box.h"
#include "standins/posix/standin_scheduler.h"
#include "tests/support/capture.h"
#include "tests/support/expectations.h"
#include "tests/unit/allocations/heap_counter.h"

extern "C" {
void ProbeMalloc(void);
void ProbeNew(void);
void ProbeString(void);
void ProbeHostService(void);
}

namespace {

const char *const kHostObjects[] = {"TakeCmd.so", "winapi_standin.so"};

// What one call did inside its window.
struct Observed {
  int result;
  HeapCounts heap;
  std::string out;
  std::string err;
};

Observed Counted(const std::function<int()> &call) {
  Capture out(Stream::Output);
  Capture err(Stream::Error);
  OpenHeapWindow();
  const int result = call();
  const HeapCounts heap = CloseHeapWindow();
  std::string errText = err.Finish();
  return {result, heap, out.Finish(), errText};
}

class HeapCounterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(LocateHeapOwners("allocation_probe.so", kHostObjects, 2), 2);
  }
};

TEST_F(HeapCounterTest, CountsWhatTheLibraryAllocatesItself) {
  const struct {
    const char *why;
    void (*probe)(void);
  } cases[] = {
      {"malloc", ProbeMalloc}, {"operator new[]", ProbeNew}, {"std::wstring", ProbeString}};
  for (const auto &c : cases) {
    const Observed seen = Counted([&] {
      c.probe();
      return 0;
    });
    EXPECT_EQ(seen.heap.plugin, 1) << c.why;
    EXPECT_EQ(seen.heap.host, 0) << c.why;
  }
}

TEST_F(HeapCounterTest, LeavesToTheHostWhatItsServicesAllocate) {
  const Observed seen = Counted([] {
    ProbeHostService();
    return 0;
  });
  EXPECT_EQ(seen.heap.plugin, 0) << PluginAllocationSites();
  EXPECT_GE(seen.heap.host, 1);
}

TEST_F(HeapCounterTest, CountsNothingOutsideAWindow) {
  OpenHeapWindow();
  const HeapCounts empty = CloseHeapWindow();
  ProbeMalloc();
  OpenHeapWindow();
  EXPECT_EQ(CloseHeapWindow().plugin, empty.plugin);
}

constexpr HRESULT kAccessDenied = static_cast<HRESULT>(0x80070005);
constexpr const char *kClock = "2016-03-01 10:30:05";  // any moment will do

// The rows of the end-to-end command table (tests/e2e/command/command_sessions.py),
// which command_table.py writes at build time. In tails and messages
// <FOLDER> (quoted) and <MISSING> stand for directories of the suite's own.
struct TableRow {
  const char *clock;  // "YYYY-MM-DD hh:mm:ss"
  const char *tail;   // UTF-8
  int result;
  const char *out;
  const char *err;
};
const TableRow kCommandTable[] = {
#include "command_table.inc"
};

// One whole command: the tail, the state of the stand-ins, and what it must
// return and print. A row of the command table gives the exact bytes; any
// other command only says, through its result, which stream it writes, and
// a text of its own input that must be there (the texts belong to the suites
// that assert them).
struct Command {
  const char *why;
  std::wstring tail;
  int result;
  std::string mentions = {};
  bool exact = false;
  std::string out = {};
  std::string err = {};
  const char *clock = kClock;
  const char *schedule = "running";  // STANDIN_SCHEDULE's words
  const char *failCall = nullptr;    // a stand-in scheduler call made to answer failCode
  HRESULT failCode = S_OK;
  const char *tasksFolder = "%TARDO_TEST_ROOT%\\Tasks";
  bool comInitialised = true;
  bool userNameFails = false;
  bool inBatchFile = false;
};

// The same command with one of the stand-ins' settings changed.
Command WithSchedule(Command c, const char *state) {
  c.schedule = state;
  return c;
}
Command WithFailure(Command c, const char *call, HRESULT code) {
  c.failCall = call;
  c.failCode = code;
  return c;
}
Command WithTasksFolder(Command c, const char *stored) {
  c.tasksFolder = stored;
  return c;
}
Command WithoutCom(Command c) {
  c.comInitialised = false;
  return c;
}
Command WithoutUserName(Command c) {
  c.userNameFails = true;
  return c;
}
Command InBatchFile(Command c) {
  c.inBatchFile = true;
  return c;
}

std::string Replaced(std::string text, const std::string &token, const std::string &by) {
  for (std::size_t at = text.find(token); at != std::string::npos;
       at = text.find(token, at + by.size()))
    text.replace(at, token.size(), by);
  return text;
}

class WholeCommandAllocations : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(LocateHeapOwners("Tardo.so", kHostObjects, 2), 2); }

  void SetUp() override {
    char pattern[] = "/tmp/tardo-allocations-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    std::filesystem::create_directory(root_ / "Tasks");
    std::filesystem::create_directory(root_ / "job folder");
    setenv("TARDO_TEST_ROOT", root_.c_str(), 1);
    HostSetVariable(L"_cmdspec", L"/opt/Take Command/tcc.exe");
  }

  void TearDown() override {
    StandinSetLocalTime(nullptr);
    StandinSchedulerReset();
    StandinSetScheduleState("running");
    StandinFailGetUserName(0);
    HostSetVariable(L"_batch", L"0");
    unsetenv("STANDIN_TASKSFOLDER");
    std::filesystem::remove_all(root_);
  }

  Command FromTable(const TableRow &row) const {
    auto own = [&](const std::string &text) {
      return Replaced(Replaced(text, "<FOLDER>", (root_ / "job folder").string()), "<MISSING>",
                      (root_ / "no such folder").string());
    };
    Command c = {row.tail, Utf8ToWide(own(row.tail)), row.result};
    c.exact = true;
    c.out = row.out;
    c.err = own(row.err);
    c.clock = row.clock;
    return c;
  }

  void Arrange(const Command &c) {
    SYSTEMTIME now = {};
    ASSERT_EQ(std::sscanf(c.clock, "%hu-%hu-%hu %hu:%hu:%hu", &now.wYear, &now.wMonth, &now.wDay,
                          &now.wHour, &now.wMinute, &now.wSecond),
              6)
        << c.clock;
    StandinSetLocalTime(&now);
    setenv("STANDIN_TASKSFOLDER", c.tasksFolder, 1);
    StandinSchedulerReset();
    ASSERT_EQ(StandinSetScheduleState(c.schedule), 0) << c.why;
    if (c.failCall != nullptr) {
      ASSERT_EQ(StandinSchedulerFail(c.failCall, c.failCode), 0) << c.why;
    }
    StandinFailGetUserName(c.userNameFails ? 1 : 0);
    HostSetVariable(L"_batch", c.inBatchFile ? L"1" : L"0");
    HostSetVariable(L"_batchname", c.inBatchFile ? L"C:\\jobs\\night.btm" : nullptr);
    HostSetVariable(L"_batchline", c.inBatchFile ? L"12" : L"0");
    if (c.comInitialised) CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  }

  void Run(const std::vector<Command> &commands) {
    for (const Command &c : commands) {
      Arrange(c);
      std::vector<wchar_t> tail(c.tail.begin(), c.tail.end());
      tail.push_back(L'\0');
      const Observed seen = Counted([&] { return tardo(tail.data()); });
      while (StandinComInitCount() > 0) CoUninitialize();

      EXPECT_EQ(seen.heap.plugin, 0) << c.why << "\n" << PluginAllocationSites();
      EXPECT_EQ(seen.result, c.result) << c.why;
      if (c.exact) {
        EXPECT_EQ(seen.out, c.out) << c.why;
        EXPECT_EQ(seen.err, c.err) << c.why;
      } else {
        const std::string &written = c.result == 0 ? seen.out : seen.err;
        EXPECT_FALSE(written.empty()) << c.why;
        EXPECT_NE(written.find(c.mentions), std::string::npos) << c.why;
        EXPECT_EQ(c.result == 0 ? seen.err : seen.out, "") << c.why;
      }
      EXPECT_EQ(StandinSchedulerLiveObjects(), 0) << c.why;
      total_host_ += seen.heap.host;
    }
  }

  void TellHostTotal(const char *name) {
    RecordProperty(name, total_host_);
    std::printf("(the host's services and the stand-ins allocated %d times meanwhile)\n",
                total_host_);
  }

  std::filesystem::path root_;
  int total_host_ = 0;
};

TEST_F(WholeCommandAllocations, EveryCommandOfTheCommandTable) {
  std::vector<Command> commands;
  for (const TableRow &row : kCommandTable) commands.push_back(FromTable(row));
  Run(commands);
  TellHostTotal("host_allocations");
}

// The limits, which the command table leaves out: a tail of 16383
// characters is the longest taken.
TEST_F(WholeCommandAllocations, CommandsBeyondTheTable) {
  const std::string longCommand = "echo " + std::string(16383 - 11, 'x');
  Run({
      {"the longest line", L"5 min " + Utf8ToWide(longCommand), 0, longCommand},
      {"a line too long", L"5 min echo " + std::wstring(16384 - 11, L'x'), 1, ""},
      {"a word longer than a message holds", std::wstring(16300, L'x') + L" min x", 1, "xxxxxxxx"},
      WithoutUserName({"no user name", L"5 min echo hi", 0, "echo hi"}),
      InBatchFile({"inside a batch file", L"5", 1, "C:\\jobs\\night.btm"}),
  });
  TellHostTotal("host_allocations");
}

TEST_F(WholeCommandAllocations, CommandsTheSchedulerRefuses) {
  const Command job = {"", L"5 min echo hi", 2, ""};
  auto refused = [&](const char *why) {
    Command c = job;
    c.why = why;
    return c;
  };
  std::vector<Command> commands;
  for (const SchedulerState &s : kSchedulerStates)
    if (s.result != 1) commands.push_back(WithSchedule(refused(s.state), s.state));
  commands.push_back(WithTasksFolder(refused("no Tasks folder value"), "-"));
  commands.push_back(WithTasksFolder(refused("a missing Tasks folder"), "%TARDO_TEST_ROOT%\\gone"));
  commands.push_back(WithoutCom(refused("COM not initialised")));
  for (const char *call : kCallsOfAJob)
    commands.push_back(WithFailure(refused(call), call, kAccessDenied));
  commands.push_back(
      WithFailure(refused("a success code that is not S_OK"), "NewWorkItem", S_FALSE));
  Run(commands);
  TellHostTotal("host_allocations");
}

// TARDO /L and /D with jobs to list and delete, and each of their scheduler
// calls failing.
TEST_F(WholeCommandAllocations, ListingAndDeletingJobs) {
  const std::wstring folder = Utf8ToWide((root_ / "job folder").string());
  Run({{"a job", L"5 min echo hi", 0, "echo hi"},
       {"a job in a folder", L"until 17:30 in \"" + folder + L"\" make", 0, "make"}});
  const std::string name = std::filesystem::directory_iterator(root_ / "Tasks")->path().stem();
  std::vector<Command> commands = {{"the list", L"/L", 0, "job folder"}};
  for (const char *call :
       {"Enum", "Next", "Activate", "GetNextRunTime", "GetParameters", "GetWorkingDirectory"})
    commands.push_back(WithFailure({call, L"/L", 2, call}, call, kAccessDenied));
  commands.push_back(WithFailure({"Delete", L"/D *", 2, "Delete"}, "Delete", kAccessDenied));
  commands.push_back({"one deleted", L"/D " + Utf8ToWide(name), 0, name});
  commands.push_back({"the other deleted", L"/D *", 0, ""});
  commands.push_back({"none left", L"/L", 0, ""});
  Run(commands);
  EXPECT_TRUE(std::filesystem::is_empty(root_ / "Tasks"));
  TellHostTotal("host_allocations");
}

TEST_F(WholeCommandAllocations, TheOtherExports) {
  wchar_t tardoName[] = L"TARDO";
  wchar_t otherName[] = L"dir";
  wchar_t usage[1024];
  const struct {
    const char *why;
    std::function<int()> call;
    int result;
  } calls[] = {
      {"GetPluginInfo", [] { return GetPluginInfo() != nullptr ? 1 : 0; }, 1},
      {"InitializePlugin", [] { return InitializePlugin(); }, 0},
      {"Help", [&] { return Help(tardoName); }, 1},
      {"Help for another command", [&] { return Help(otherName); }, 0},
      {"Usage", [&] { return Usage(tardoName, usage); }, 1},
      {"Usage for another command", [&] { return Usage(otherName, usage); }, 0},
      {"ShutdownPlugin", [] { return ShutdownPlugin(0); }, 0},
  };
  for (const auto &c : calls) {
    const Observed seen = Counted(c.call);
    EXPECT_EQ(seen.heap.plugin, 0) << c.why << "\n" << PluginAllocationSites();
    EXPECT_EQ(seen.result, c.result) << c.why;
  }
  EXPECT_GE(StandinLastMessageBox()->count, 1);
}

}  // namespace
