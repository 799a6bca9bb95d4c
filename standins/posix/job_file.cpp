// The stand-in scheduler's job files: NAME.job in the Tasks folder, holding
// the job's text record (standin_job_record.h).
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "standins/common/utf8_text.h"
#include "standins/posix/standin_job_record.h"
#include "standins/posix/standin_task_objects.h"

HRESULT StandinJobFilePath(LPCWSTR name, std::string *path) {
  // As the real scheduler finds its folder: the registry value, expanded.
  std::vector<wchar_t> folder(32768);
  DWORD bytes = static_cast<DWORD>(folder.size() * sizeof(wchar_t));
  const LSTATUS read = RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\SchedulingAgent",
                                    L"TasksFolder", RRF_RT_REG_SZ, nullptr, folder.data(), &bytes);
  if (read != ERROR_SUCCESS || folder[0] == L'\0') return kStandinPathNotFound;
  std::wstring file(folder.data());
  if (file.back() != L'\\' && file.back() != L'/') file += L'\\';
  file += name;
  file += L".job";
  *path = PosixPath(file);
  return S_OK;
}

namespace {

std::string Record(LPCWSTR name, const StandinJob &job) {
  static const char *const kPassword[] = {"null", "empty", "given"};
  char flags[16];
  std::snprintf(flags, sizeof flags, "0x%08x", static_cast<unsigned>(job.flags));
  RecordFields fields = {{"Name", WideToUtf8(name)},
                         {"Application", WideToUtf8(job.application)},
                         {"Parameters", WideToUtf8(job.parameters)},
                         {"WorkingDirectory", WideToUtf8(job.workingDirectory)},
                         {"Account", WideToUtf8(job.account)},
                         {"Password", kPassword[job.password]},
                         {"Flags", flags},
                         {"TriggerCount", std::to_string(job.triggerCount)}};
  for (int i = 0; i < job.triggerCount; ++i) AddTriggerFields(i, job.triggers[i], &fields);
  return FormatRecord(fields);
}

}  // namespace

HRESULT StandinWriteJobFile(LPCWSTR name, const StandinJob &job) {
  std::string path;
  const HRESULT found = StandinJobFilePath(name, &path);
  if (found != S_OK) return found;
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) {
    if (errno == EEXIST) return kStandinFileExists;
    if (errno == EACCES) return E_ACCESSDENIED;
    return kStandinPathNotFound;
  }
  const std::string text = Record(name, job);
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = write(fd, text.data() + written, text.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  close(fd);
  if (written != text.size()) {
    unlink(path.c_str());
    return E_FAIL;
  }
  return S_OK;
}
