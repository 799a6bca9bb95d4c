// hostshell.exe started as a scheduler may start it: CreateProcess given the
// program apart from a command line holding only the parameters. The line
// after /c must still be found, with its quotes and blanks as they were.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "standins/common/process.h"
#include "tests/support/capture.h"

namespace {

std::wstring ShellPath() {
  const std::wstring path = ProgramPath();
  return path.substr(0, path.rfind(L'\\') + 1) + L"hostshell.exe";
}

// Runs the shell with that command line; its exit code (-1: not started, or
// not ended within 60 s, far above the second it takes), its output in *out.
int RunShell(const std::wstring &commandLine, std::string *out) {
  Capture capture(Stream::Output);
  const int code =
      RunProgramAndWait(ShellPath().c_str(), commandLine, GetStdHandle(STD_OUTPUT_HANDLE),
                        GetStdHandle(STD_ERROR_HANDLE), 60000);
  *out = capture.Finish();
  return code;
}

TEST(ShellCommandLine, ParametersAloneStillCarryTheLine) {
  std::string out;
  EXPECT_EQ(RunShell(L"/c exit 9", &out), 9);
  EXPECT_EQ(RunShell(L"--set _pipe=0 /c echo \"a  b\"  c", &out), 0);
  EXPECT_EQ(out, "\"a  b\"  c\n");
}

TEST(ShellCommandLine, AFullCommandLineKeepsTheLineAsTyped) {
  std::string out;
  EXPECT_EQ(RunShell(L"\"" + ShellPath() + L"\" /c echo \"x  y\"", &out), 0);
  EXPECT_EQ(out, "\"x  y\"\n");
}

}  // namespace
