// The stand-ins steered from the environment, as a test run or a shell
// session outside the test programs steers them. This suite runs only in
// the CTest entry that sets STANDIN_SCHEDULE=paused and
// STANDIN_FAIL=SetFlags=0x80070005 (no fixture resets them here); without
// them it fails.
#include <cstdlib>

#include "scheduling/schedule_command.h"
#include "scheduling/scheduler_service.h"
#include "tests/unit/scheduling/standin_fixture.h"

namespace {

TEST(StandinEnvironment, ScheduleStateAndInjectedFailure) {
  ASSERT_STREQ(std::getenv("STANDIN_SCHEDULE"), "paused");
  ASSERT_STREQ(std::getenv("STANDIN_FAIL"), "SetFlags=0x80070005");
  EXPECT_EQ(IsSchedulerRunning(), 0);

  char pattern[] = "/tmp/tardo-scheduling-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::filesystem::path root = pattern;
  std::filesystem::create_directory(root / "Tasks");
  setenv("STANDIN_TASKSFOLDER", (root / "Tasks").c_str(), 1);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  StandinSetScheduleState("running");
  std::string err;
  {
    Capture capture(Stream::Error);
    EXPECT_EQ(ScheduleCommand(L"", L"x", Moment(2016, 1, 5, 9, 7)), -1);
    err = capture.Finish();
  }
  EXPECT_EQ(err, "Tardo plugin: SetFlags() returned: 0x80070005\r\n");
  EXPECT_TRUE(std::filesystem::is_empty(root / "Tasks"));
  EXPECT_EQ(StandinSchedulerLiveObjects(), 0);
  CoUninitialize();
  std::filesystem::remove_all(root);
}

}  // namespace
