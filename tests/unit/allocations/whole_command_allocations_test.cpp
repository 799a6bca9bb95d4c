// The plug-in's exports make no heap allocation of their own: whole tardo
// commands on success and on every error path, and the other exports, each
// called on Tardo.so as the host calls it, with the heap counter's window
// open around the call only. What the host's services and the Windows
// stand-ins allocate while serving the plug-in is theirs and is not counted
// against it (heap_counter.h says how the two are told apart); the first
// tests show that the counter does count a library's own allocations.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "standins/host/takecmd/host_control.h"
#include "standins/posix/standin_clock.h"
#include "standins/posix/standin_message_box.h"
#include "standins/posix/standin_paths.h"
#include "standins/posix/standin_scheduler.h"
#include "hostapi/win_api.h"
#include "plugin/exports.h"
#include "tests/support/capture.h"
#include "tests/unit/allocations/heap_counter.h"

extern "C" {
void ProbeMalloc(void);
void ProbeNew(void);
void ProbeString(void);
void ProbeHostService(void);
}

namespace {

const char *const kHostObjects[] = {"TakeCmd.so", "winapi_standin.so"};

std::wstring Wide(const std::string &utf8) {
  std::wstring wide(utf8.size() + 1, L'\0');
  StandinFromUtf8(utf8.c_str(), wide.data(), wide.size());
  wide.resize(wide.find(L'\0'));
  return wide;
}

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
  } cases[] = {{"malloc", ProbeMalloc}, {"operator new[]", ProbeNew}, {"std::wstring", ProbeString}};
  for (const auto &c : cases) {
    const Observed seen = Counted([&] { c.probe(); return 0; });
    EXPECT_EQ(seen.heap.plugin, 1) << c.why;
    EXPECT_EQ(seen.heap.host, 0) << c.why;
  }
}

TEST_F(HeapCounterTest, LeavesToTheHostWhatItsServicesAllocate) {
  const Observed seen = Counted([] { ProbeHostService(); return 0; });
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

constexpr const char *kUsageStart = "Run a command after a specified delay";
constexpr HRESULT kAccessDenied = static_cast<HRESULT>(0x80070005);

// One whole command: the tail, the state of the stand-ins, and what it must
// print and return (out and err are compared up to their length, so a long
// text may be given by its start).
struct Command {
  const char *why;
  std::wstring tail;
  int result;
  std::string out;
  std::string err;
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

std::string Error(const std::string &message) { return "Tardo plugin: " + message + "\r\n"; }

std::string Scheduled(const std::string &moment, const std::string &command) {
  return "[" + moment + "]  " + command + "\n";
}

class WholeCommandAllocations : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(LocateHeapOwners("Tardo.so", kHostObjects, 2), 2);
  }

  void SetUp() override {
    char pattern[] = "/tmp/tardo-allocations-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    std::filesystem::create_directory(root_ / "Tasks");
    std::filesystem::create_directory(root_ / "job folder");
    setenv("TARDO_TEST_ROOT", root_.c_str(), 1);
    HostSetVariable(L"_cmdspec", L"/opt/Take Command/tcc.exe");
    SYSTEMTIME now = {};
    now.wYear = 2016;
    now.wMonth = 3;
    now.wDay = 1;
    now.wHour = 10;
    now.wMinute = 30;
    now.wSecond = 5;
    StandinSetLocalTime(&now);
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

  std::wstring Folder() const { return L"\"" + Wide((root_ / "job folder").string()) + L"\""; }
  std::string Missing() const { return (root_ / "no such folder").string(); }

  void Arrange(const Command &c) {
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
      EXPECT_EQ(seen.out.substr(0, c.out.size()), c.out) << c.why;
      EXPECT_EQ(seen.out.empty(), c.out.empty()) << c.why;
      EXPECT_EQ(seen.err.substr(0, c.err.size()), c.err) << c.why;
      EXPECT_EQ(seen.err.empty(), c.err.empty()) << c.why;
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

TEST_F(WholeCommandAllocations, SucceedingCommands) {
  const std::string longCommand = "echo " + std::string(16383 - 11, 'x');
  Run({
      {"usage", L"", 0, kUsageStart, ""},
      {"usage for blanks", L"   ", 0, kUsageStart, ""},
      {"usage asked for", L"/?", 0, kUsageStart, ""},
      {"out", L"out", 0, "Like totally, dude.\n", ""},
      {"a delay", L"5 min echo hi", 0, Scheduled("2016-03-01 10:35", "echo hi"), ""},
      {"FOR and THEN", L"for 2 hours then echo hi", 0, Scheduled("2016-03-01 12:30", "echo hi"), ""},
      {"days", L"3 days echo hi", 0, Scheduled("2016-03-04 10:30", "echo hi"), ""},
      {"a hexadecimal count", L"0x10 min echo hi", 0, Scheduled("2016-03-01 10:46", "echo hi"), ""},
      {"a clock time", L"until 17:30 echo hi", 0, Scheduled("2016-03-01 17:30", "echo hi"), ""},
      {"a passed clock time", L"until 10:30 echo hi", 0, Scheduled("2016-03-02 10:30", "echo hi"), ""},
      {"the 12-hour clock", L"until 5:30p then echo hi", 0, Scheduled("2016-03-01 17:30", "echo hi"), ""},
      {"the last minute", L"until 4000-12-31@11:59:59PM echo hi", 0,
       Scheduled("4000-12-31 23:59", "echo hi"), ""},
      {"IN a directory", L"5 min in " + Folder() + L" then echo hi", 0,
       Scheduled("2016-03-01 10:35", "echo hi"), ""},
      {"quotes and percent signs", L"5 min `echo 100% \"50%s\"`", 0,
       Scheduled("2016-03-01 10:35", "`echo 100% \"50%s\"`"), ""},
      {"the longest line", L"5 min " + Wide(longCommand), 0, Scheduled("2016-03-01 10:35", longCommand),
       ""},
      WithoutUserName(
          {"no user name", L"5 min echo hi", 0, Scheduled("2016-03-01 10:35", "echo hi"), ""}),
  });
  TellHostTotal("host_allocations");
}

TEST_F(WholeCommandAllocations, RefusedCommands) {
  const std::wstring longWord(16300, L'x');
  Run({
      {"no duration", L"for", 1, "", Error("Syntax error:  expected a duration")},
      {"not a number", L"abc min x", 1, "",
       Error("Syntax error:  invalid duration \"abc\"; should be a number")},
      {"zero", L"0 min x", 1, "", Error("Syntax error:  invalid duration \"0\"; should be a number")},
      {"a word longer than a message holds", longWord + L" min x", 1, "",
       "Tardo plugin: Syntax error:  invalid duration \"xxxxxxxx"},
      {"no unit", L"5", 1, "", Error("Syntax error:  expected HOURS or MINUTES")},
      {"an unknown unit", L"5 sec x", 1, "", Error("Syntax error:  expected HOURS or MINUTES")},
      {"past the calendar", L"1491309 days x", 1, "", Error("Date out of range")},
      {"past 32 bits", L"2147483647 hours x", 1, "", Error("Date out of range")},
      {"no time", L"until", 1, "", Error("Syntax error:  expected a time")},
      {"a bad time", L"until 25:00 x", 1, "",
       Error("Syntax error:  invalid time \"25:00\"; should be HH:MM")},
      {"a passed date", L"until 2016-02-29@9:00 x", 1, "", Error("It's too late for that!")},
      {"nothing after the time", L"5 min", 1, "", Error("Syntax error:  expected IN, THEN or a command")},
      {"nothing after THEN", L"5 min then", 1, "", Error("Syntax error:  expected IN or a command")},
      {"nothing after IN", L"5 min in", 1, "", Error("Syntax error:  expected a directory name")},
      {"nothing after the directory", L"5 min in " + Folder(), 1, "",
       Error("Syntax error:  expected a command")},
      {"a missing directory", L"5 min in \"" + Wide(Missing()) + L"\" x", 1, "",
       Error("Directory does not exist:  " + Missing())},
      {"a line too long", L"5 min echo " + std::wstring(16384 - 11, L'x'), 1, "",
       Error("Command line too long: at most 16383 characters")},
      InBatchFile({"inside a batch file", L"5", 1, "",
                   Error("C:\\jobs\\night.btm [12]  Syntax error:  expected HOURS or MINUTES")}),
  });
  TellHostTotal("host_allocations");
}

TEST_F(WholeCommandAllocations, CommandsTheSchedulerRefuses) {
  const Command job = {"", L"5 min echo hi", 2, "", ""};
  auto refused = [&](const char *why, const std::string &message) {
    Command c = job;
    c.why = why;
    c.err = Error(message);
    return c;
  };
  std::vector<Command> commands;
  for (const char *state : {"stopped", "paused", "starting", "absent", "nomanager", "noquery"})
    commands.push_back(WithSchedule(refused(state, "Task Scheduler service not running!"), state));
  commands.push_back(WithTasksFolder(refused("no Tasks folder value", "Can't find Tasks folder!"), "-"));
  commands.push_back(WithTasksFolder(refused("a missing Tasks folder", "Can't find Tasks folder!"),
                                     "%TARDO_TEST_ROOT%\\gone"));
  commands.push_back(
      WithoutCom(refused("COM not initialised", "CoCreateInstance() returned: 0x800401f0")));
  for (const char *call : {"CoCreateInstance", "NewWorkItem", "SetApplicationName",
                           "SetWorkingDirectory", "SetParameters", "SetAccountInformation",
                           "SetFlags", "CreateTrigger", "SetTrigger", "AddWorkItem"})
    commands.push_back(WithFailure(refused(call, std::string(call) + "() returned: 0x80070005"), call,
                                   kAccessDenied));
  commands.push_back(WithFailure(refused("a success code that is not S_OK", "NewWorkItem() returned: 0x1"),
                                 "NewWorkItem", S_FALSE));
  Run(commands);
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
