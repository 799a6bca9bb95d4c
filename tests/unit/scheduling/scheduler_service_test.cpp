// IsSchedulerRunning against the stand-in service manager: graded results,
// the arguments the manager is given, and no handle left open.
#include "scheduling/scheduler_service.h"

#include <gtest/gtest.h>

#include <string>

#include "standins/posix/standin_scheduler.h"
#include "tests/support/expectations.h"

namespace {

TEST(IsSchedulerRunning, GradesEveryStateAndClosesEveryHandle) {
  for (const SchedulerState &c : kSchedulerStates) {
    ASSERT_EQ(StandinSetScheduleState(c.state), 0);
    StandinResetServiceLog();
    EXPECT_EQ(IsSchedulerRunning(), c.result) << c.state;
    const StandinServiceCalls &log = *StandinServiceLog();
    EXPECT_EQ(log.managerOpens, 1) << c.state;
    EXPECT_EQ(log.queries, c.queries) << c.state;
    EXPECT_EQ(log.closes, c.closes) << c.state;
    EXPECT_EQ(log.badCloses, 0) << c.state;
    EXPECT_EQ(log.openHandles, 0) << c.state;
  }
  StandinSetScheduleState("running");
}

TEST(IsSchedulerRunning, AsksTheLocalManagerForScheduleWithReadAccess) {
  StandinSetScheduleState("running");
  StandinResetServiceLog();
  ASSERT_EQ(IsSchedulerRunning(), 1);
  const StandinServiceCalls &log = *StandinServiceLog();
  EXPECT_EQ(log.machineNamed, 0);
  EXPECT_EQ(log.databaseNamed, 0);
  EXPECT_EQ(log.managerAccess, 0x80000000u);
  EXPECT_EQ(log.serviceAccess, 0x80000000u);
  EXPECT_EQ(std::wstring(log.serviceName), L"Schedule");
  EXPECT_EQ(log.queryLevel, SC_STATUS_PROCESS_INFO);
  EXPECT_EQ(log.querySize, 36u);
}

TEST(StandinServiceManager, RefusesUnknownStates) {
  StandinSetScheduleState("stopped");
  EXPECT_EQ(StandinSetScheduleState("sleeping"), -1);
  EXPECT_EQ(IsSchedulerRunning(), 0);
  StandinSetScheduleState("running");
}

}  // namespace
