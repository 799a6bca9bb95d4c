#include "scheduling/job_name.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "timecalc/local_now.h"

namespace {

namespace fs = std::filesystem;

SYSTEMTIME TimeOfDay(WORD hour, WORD minute, WORD second, WORD milliseconds) {
  SYSTEMTIME time{};
  time.wYear = 2016;
  time.wMonth = 1;
  time.wDay = 5;
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = second;
  time.wMilliseconds = milliseconds;
  return time;
}

TEST(JobNumber, SeedsFromTheTimeOfDayAlone) {
  const struct {
    SYSTEMTIME time;
    std::uint32_t seed;
  } cases[] = {
      {TimeOfDay(0, 0, 0, 0), 0u},
      {TimeOfDay(12, 34, 56, 789), 0x04ab3ddbu},
      {TimeOfDay(23, 59, 59, 999), 0x066812b2u},
      // Out-of-range fields still give a 32-bit seed: the products wrap.
      {TimeOfDay(0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF), 0xb90ab93au},
  };
  for (const auto &c : cases)
    EXPECT_EQ(JobNumberSeed(c.time), c.seed) << c.time.wHour << ":" << c.time.wMinute;
  SYSTEMTIME otherDay = TimeOfDay(12, 34, 56, 789);
  otherDay.wYear = 2099;
  otherDay.wMonth = 12;
  otherDay.wDay = 28;
  otherDay.wDayOfWeek = 3;
  EXPECT_EQ(JobNumberSeed(otherDay), 0x04ab3ddbu);
}

TEST(JobNumber, StepsModulo2To32) {
  const std::uint32_t steps[][2] = {
      {0u, 0x000003adu},          {0x000003adu, 0x0064cbfcu}, {0x0064cbfcu, 0xcba4da01u},
      {0x04ab3ddbu, 0x0318f736u}, {0x0318f736u, 0xed82093fu}, {0xFFFFFFFFu, 0xffffe842u},
  };
  for (const auto &step : steps) EXPECT_EQ(NextJobNumber(step[0]), step[1]) << step[0];
}

TEST(JobName, IsTardoExactlyAsChooseJobNameWritesIt) {
  const struct {
    const wchar_t *text;
    int exact;  // as written
    int loose;  // in any case
  } cases[] = {
      {L"Tardo-0318f736", 1, 1},
      {L"Tardo-0318F736", 0, 1},
      {L"tardo-0318f736", 0, 1},
      {L"TARDO-ABCDEF01", 0, 1},
      {L"Tardo-0318f73", 0, 0},
      {L"Tardo-0318f7361", 0, 0},
      {L"Tardo-0318g736", 0, 0},
      {L"Tardo_0318f736", 0, 0},
      {L"Tardo-0318f736.job", 0, 0},
      {L"Backup", 0, 0},
      {L"", 0, 0},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(IsJobName(c.text, 1), c.exact) << c.text;
    EXPECT_EQ(IsJobName(c.text, 0), c.loose) << c.text;
  }
}

class ChooseJobNameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("tardo-names-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    LocalNow = TimeOfDay(0, 0, 0, 0);
  }
  void TearDown() override { fs::remove_all(folder_); }

  void MakeFile(const char *name) { std::ofstream(folder_ / name) << "x"; }

  std::wstring Choose(const std::wstring &folder) {
    wchar_t name[kJobNameChars];
    for (wchar_t &ch : name) ch = L'#';
    ChooseJobName(folder.c_str(), name);
    return name;
  }

  fs::path folder_;
};

TEST_F(ChooseJobNameTest, TakesTheFirstNumberWithoutAJobFile) {
  const std::wstring folder = folder_.wstring();
  EXPECT_EQ(Choose(folder), L"Tardo-000003ad");
  MakeFile("Tardo-000003ad.job");
  EXPECT_EQ(Choose(folder), L"Tardo-0064cbfc");
  MakeFile("Tardo-0064cbfc.job");
  EXPECT_EQ(Choose(folder), L"Tardo-cba4da01");
  // With a trailing separator the same files are found.
  EXPECT_EQ(Choose(folder + L"\\"), L"Tardo-cba4da01");
}

TEST_F(ChooseJobNameTest, OnlyAnExistingFileCounts) {
  fs::create_directory(folder_ / "Tardo-000003ad.job");  // a folder, not a job file
  MakeFile("Tardo-000003ad");                            // no extension
  MakeFile("Tardo-0318f736.job");                        // another seed's first name
  EXPECT_EQ(Choose(folder_.wstring()), L"Tardo-000003ad");
}

TEST_F(ChooseJobNameTest, SeedsFromTheTimeOfDay) {
  LocalNow = TimeOfDay(12, 34, 56, 789);
  EXPECT_EQ(Choose(folder_.wstring()), L"Tardo-0318f736");
  MakeFile("Tardo-0318f736.job");
  EXPECT_EQ(Choose(folder_.wstring()), L"Tardo-ed82093f");
}

}  // namespace
