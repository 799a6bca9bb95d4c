// FindTasksFolder through the host's %@regquery and the stand-in registry.
#include "scheduling/tasks_folder.h"

#include <fstream>
#include <string>

#include "hostapi/host_services.h"
#include "tests/support/expectations.h"
#include "tests/unit/scheduling/standin_fixture.h"

namespace {

using FindTasksFolderTest = StandinScheduling;

TEST_F(FindTasksFolderTest, ExpandsTheStoredValueTwice) {
  wchar_t folder[kHostBufferChars];
  const Outcome outcome = Captured([&] { return FindTasksFolder(folder); });
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(WideToUtf8(folder), root_.string() + "\\Tasks");
}

TEST_F(FindTasksFolderTest, EveryUnusableValueGivesOneMessage) {
  std::ofstream(root_ / "file") << "x";
  const struct {
    const char *why;
    std::string stored;  // "-" for no value at all
  } cases[] = {
      {"no value", "-"},
      {"empty", ""},
      {"expands to nothing", "%TARDO_UNSET_VARIABLE%"},
      {"the query's own failure text", "-1"},
      {"a file", "%TARDO_TEST_ROOT%\\file"},
      {"nothing there", "%TARDO_TEST_ROOT%\\gone"},
  };
  for (const auto &c : cases) {
    setenv("STANDIN_TASKSFOLDER", c.stored.c_str(), 1);
    wchar_t folder[kHostBufferChars];
    const Outcome outcome = Captured([&] { return FindTasksFolder(folder); });
    EXPECT_EQ(outcome.result, -1) << c.why;
    EXPECT_EQ(outcome.err, ErrorLine("Can't find Tasks folder!")) << c.why;
    EXPECT_EQ(outcome.out, "") << c.why;
  }
}

// The Tasks folder, a separator and an 18-character job file name fill a
// host buffer exactly: the folder's path is padded to length with "/." parts.
TEST_F(FindTasksFolderTest, TakesTheLongestFolderThatLeavesRoomForAJobFile) {
  for (const int length : {kLongestTasksFolder, kLongestTasksFolder + 1}) {
    std::string padded = tasks_.string();
    while (padded.size() + 2 <= static_cast<std::size_t>(length)) padded += "/.";
    if (padded.size() < static_cast<std::size_t>(length)) padded += "/";
    setenv("STANDIN_TASKSFOLDER", padded.c_str(), 1);
    wchar_t folder[kHostBufferChars];
    const Outcome outcome = Captured([&] { return FindTasksFolder(folder); });
    const std::string refusal = ErrorLine("Can't find Tasks folder!");
    EXPECT_EQ(outcome.err, length == kLongestTasksFolder ? "" : refusal) << length;
  }
}

TEST_F(FindTasksFolderTest, KeepsATrailingSeparator) {
  setenv("STANDIN_TASKSFOLDER", "%TARDO_TEST_ROOT%/Tasks/", 1);
  wchar_t folder[kHostBufferChars];
  ASSERT_EQ(Captured([&] { return FindTasksFolder(folder); }).result, 0);
  EXPECT_EQ(WideToUtf8(folder), root_.string() + "/Tasks/");
}

}  // namespace
