#include "tests/e2e/scheduling/wine_jobs.h"

#include "standins/common/process.h"
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
  const std::wstring path = ProgramPath();
  return path.substr(0, path.rfind(L'\\') + 1);
}

int RunProgram(const std::wstring &commandLine, std::string *output, bool withErrors) {
  // The output goes to a file, not a pipe, which a process the program
  // leaves running could hold open.
  wchar_t folder[MAX_PATH];
  wchar_t path[MAX_PATH];
  if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"out", 0, path)) return -1;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE file = CreateFileW(
      path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  constexpr DWORD kMinute = 60000;
  const int status = RunProgramAndWait(nullptr, commandLine, file,
                                       withErrors ? file : GetStdHandle(STD_ERROR_HANDLE), kMinute);
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) output->append(chunk, got);
  CloseHandle(file);
  return status;
}

std::map<std::string, std::string> ReadJob(const std::wstring &name) {
  std::string output;
  if (RunProgram(L"\"" + ProgramFolder() + L"job_reader.exe\" " + name, &output) != 0) return {};
  return ParseRecord(output);
}
