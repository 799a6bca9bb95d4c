#include "tests/e2e/scheduling/wine_jobs.h"

#include <algorithm>

#include "standins/posix/standin_job_record.h"

std::wstring TasksFolderPath() {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  return std::wstring(windows) + L"\\Tasks";
}

std::vector<std::wstring> TardoJobFiles() {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((TasksFolderPath() + L"\\Tardo-*.job").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.rfind(L'\\') + 1);
}

int RunProgram(const std::wstring &commandLine, std::string *output, bool withErrors) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd, writeEnd;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return -1;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writeEnd;
  startup.hStdError = withErrors ? writeEnd : GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  std::wstring line = commandLine;
  const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                      &startup, &process);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return -1;
  }
  // Read as the output comes, to a bound: neither a program that hangs nor
  // a process it started that keeps the pipe open may hold the test.
  const ULONGLONG deadline = GetTickCount64() + kProgramMilliseconds;
  char chunk[4096];
  int status = -1;
  for (;;) {
    const bool ended = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
    DWORD available = 0;
    DWORD got = 0;
    if (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
        ReadFile(readEnd, chunk, std::min<DWORD>(available, sizeof chunk), &got, nullptr)) {
      output->append(chunk, got);
      continue;
    }
    if (ended) {
      DWORD code = 0;
      GetExitCodeProcess(process.hProcess, &code);
      status = static_cast<int>(code);
      break;
    }
    if (GetTickCount64() >= deadline) {
      TerminateProcess(process.hProcess, 1);
      break;
    }
    Sleep(5);
  }
  CloseHandle(readEnd);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return status;
}

std::map<std::string, std::string> ReadJob(const std::wstring &name) {
  std::string output;
  if (RunProgram(L"\"" + ProgramFolder() + L"job_reader.exe\" " + name, &output) != 0) return {};
  return ParseRecord(output);
}

std::string Utf8Of(const std::wstring &text) {
  if (text.empty()) return {};
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), bytes, nullptr, nullptr);
  out.resize(static_cast<std::size_t>(bytes) - 1);
  return out;
}
