// A scheduling test natively: a Tasks folder of its own (named in the
// stand-in registry as "%TARDO_TEST_ROOT%\Tasks", so both expansion passes
// count), the Schedule service running, COM initialised, the stand-in
// scheduler's log cleared and LocalNow at 2016-01-05 00:00:00.000.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "hostapi/win_api.h"
#include "standins/common/utf8_text.h"
#include "standins/host/takecmd/host_control.h"
#include "standins/posix/standin_job_record.h"
#include "standins/posix/standin_scheduler.h"
#include "tests/support/capture.h"
#include "tests/support/moment.h"
#include "timecalc/local_now.h"

class StandinScheduling : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tardo-scheduling-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    tasks_ = root_ / "Tasks";
    std::filesystem::create_directory(tasks_);
    setenv("TARDO_TEST_ROOT", root_.c_str(), 1);
    setenv("STANDIN_TASKSFOLDER", "%TARDO_TEST_ROOT%\\Tasks", 1);
    HostSetVariable(L"_cmdspec", L"/opt/Take Command/tcc.exe");
    StandinSchedulerReset();
    StandinSetScheduleState("running");
    StandinResetServiceLog();
    StandinFailGetUserName(0);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    LocalNow = Moment(2016, 1, 5, 0, 0);
  }

  void TearDown() override {
    while (StandinComInitCount() > 0) CoUninitialize();
    std::filesystem::remove_all(root_);
    EXPECT_EQ(StandinServiceLog()->openHandles, 0);
    EXPECT_EQ(StandinSchedulerLiveObjects(), 0);
    EXPECT_EQ(StandinSchedulerBadReleases(), 0);
  }

  std::vector<std::string> JobFiles() const {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(tasks_))
      names.push_back(entry.path().filename().string());
    return names;
  }

  std::map<std::string, std::string> Job(const std::string &name) const {
    std::ifstream in(tasks_ / (name + ".job"), std::ios::binary);
    return ParseRecord(std::string(std::istreambuf_iterator<char>(in), {}));
  }

  static std::vector<std::string> Calls() {
    std::vector<std::string> calls;
    for (int i = 0; i < StandinSchedulerCallCount(); ++i) calls.push_back(StandinSchedulerCall(i));
    return calls;
  }

  std::filesystem::path root_;
  std::filesystem::path tasks_;
};
