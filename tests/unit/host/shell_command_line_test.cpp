// hostshell.exe started as a scheduler may start it: CreateProcess given the
// program apart from a command line holding only the parameters. The line
// after /c must still be found, with its quotes and blanks as they were.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/capture.h"

namespace {

std::wstring ShellPath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"hostshell.exe";
}

// Runs the shell with that command line; its exit code, its output in *out.
DWORD RunShell(const std::wstring &commandLine, std::string *out) {
  Capture capture(Stream::Output);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  SetHandleInformation(startup.hStdOutput, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  std::wstring line = commandLine;
  PROCESS_INFORMATION process{};
  const std::wstring shell = ShellPath();
  if (!CreateProcessW(shell.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    ADD_FAILURE() << "cannot start hostshell.exe: " << GetLastError();
    return 0xFFFFFFFF;
  }
  // A bound far above the second the shell takes: a hang fails the case.
  DWORD code = 0xFFFFFFFF;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    ADD_FAILURE() << "hostshell.exe did not end within 60 s";
    TerminateProcess(process.hProcess, code);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  *out = capture.Finish();
  return code;
}

TEST(ShellCommandLine, ParametersAloneStillCarryTheLine) {
  std::string out;
  EXPECT_EQ(RunShell(L"/c exit 9", &out), 9u);
  EXPECT_EQ(RunShell(L"--no-com /c echo \"a  b\"  c", &out), 0u);
  EXPECT_EQ(out, "\"a  b\"  c\r\n");
}

TEST(ShellCommandLine, AFullCommandLineKeepsTheLineAsTyped) {
  std::string out;
  EXPECT_EQ(RunShell(L"\"" + ShellPath() + L"\" /c echo \"x  y\"", &out), 0u);
  EXPECT_EQ(out, "\"x  y\"\r\n");
}

}  // namespace
