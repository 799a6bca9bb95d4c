// FindTasksFolder through the host's %@regquery and the stand-in registry.
#include "scheduling/tasks_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <string>

#include "plugin/host_services.h"
#include "tests/unit/scheduling/standin_fixture.h"

// Linux takes a path of at most PATH_MAX - 1 bytes, Windows far longer ones.
// Defined in the program, this stat stands in for the C library's everywhere
// (the host's QueryIsDirectory calls it): a longer path is looked up a piece
// at a time, each piece ending in a '/'.
extern "C" int stat(const char *path, struct stat *status) noexcept {
  int directory = AT_FDCWD;
  while (std::strlen(path) >= PATH_MAX) {
    std::string piece(path, PATH_MAX - 1);
    piece.resize(piece.rfind('/') + 1);
    const int next = openat(directory, piece.c_str(), O_PATH | O_DIRECTORY);
    if (directory != AT_FDCWD) close(directory);
    if (next < 0) return -1;
    directory = next;
    path += piece.size();
  }
  const int result = fstatat(directory, path, status, 0);
  if (directory != AT_FDCWD) close(directory);
  return result;
}

namespace {

using FindTasksFolderTest = StandinScheduling;

TEST_F(FindTasksFolderTest, ExpandsTheStoredValueTwice) {
  wchar_t folder[kHostBufferChars];
  const Outcome outcome = Captured([&] { return FindTasksFolder(folder); });
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(Utf8Of(folder), root_.string() + "\\Tasks");
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
    EXPECT_EQ(outcome.err, "Tardo plugin: Can't find Tasks folder!\r\n") << c.why;
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
    ASSERT_TRUE(std::filesystem::is_directory(padded)) << length;
    setenv("STANDIN_TASKSFOLDER", padded.c_str(), 1);
    wchar_t folder[kHostBufferChars];
    const Outcome outcome = Captured([&] { return FindTasksFolder(folder); });
    const char *refusal = "Tardo plugin: Can't find Tasks folder!\r\n";
    EXPECT_EQ(outcome.err, length == kLongestTasksFolder ? "" : refusal) << length;
  }
}

TEST_F(FindTasksFolderTest, KeepsATrailingSeparator) {
  setenv("STANDIN_TASKSFOLDER", "%TARDO_TEST_ROOT%/Tasks/", 1);
  wchar_t folder[kHostBufferChars];
  ASSERT_EQ(Captured([&] { return FindTasksFolder(folder); }).result, 0);
  EXPECT_EQ(Utf8Of(folder), root_.string() + "/Tasks/");
}

}  // namespace
