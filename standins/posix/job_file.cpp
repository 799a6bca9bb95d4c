// The stand-in scheduler's job files: NAME.job in the Tasks folder, holding
// the job's text record (standin_job_record.h).
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "standins/common/utf8_text.h"
#include "standins/posix/standin_job_record.h"
#include "standins/posix/standin_task_objects.h"

namespace {

// As the real scheduler finds its folder: the registry value, expanded, with
// a separator at its end; empty when there is no value.
std::wstring TasksFolder() {
  std::vector<wchar_t> folder(32768);
  DWORD bytes = static_cast<DWORD>(folder.size() * sizeof(wchar_t));
  const LSTATUS read = RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\SchedulingAgent",
                                    L"TasksFolder", RRF_RT_REG_SZ, nullptr, folder.data(), &bytes);
  if (read != ERROR_SUCCESS || folder[0] == L'\0') return L"";
  std::wstring path(folder.data());
  if (path.back() != L'\\' && path.back() != L'/') path += L'\\';
  return path;
}

}  // namespace

HRESULT StandinJobFilePath(LPCWSTR name, std::string *path) {
  const std::wstring folder = TasksFolder();
  if (folder.empty()) return kStandinPathNotFound;
  *path = PosixPath(folder + name + L".job");
  return S_OK;
}

std::vector<std::wstring> StandinJobFileNames(void) {
  std::vector<std::wstring> names;
  const std::wstring folder = TasksFolder();
  DIR *listing = folder.empty() ? nullptr : opendir(PosixPath(folder).c_str());
  if (!listing) return names;
  while (const dirent *entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".job") == 0)
      names.push_back(Utf8ToWide(name));
  }
  closedir(listing);
  return names;
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

namespace {

// A whole number in base, all of text.
bool Number(const std::string &text, int base, unsigned long *value) {
  char *end = nullptr;
  *value = std::strtoul(text.c_str(), &end, base);
  return !text.empty() && *end == '\0';
}

// The job a record holds; false when it lacks a field or a number.
bool JobOfRecord(const std::map<std::string, std::string> &record, StandinJob *job) {
  static const char *const kTexts[] = {"Application", "Parameters", "WorkingDirectory", "Account",
                                       "Password",    "Flags",      "TriggerCount"};
  for (const char *key : kTexts)
    if (record.count(key) == 0) return false;
  unsigned long flags, count;
  if (!Number(record.at("Flags"), 16, &flags) || !Number(record.at("TriggerCount"), 10, &count) ||
      count > 8)
    return false;
  job->application = Utf8ToWide(record.at("Application"));
  job->parameters = Utf8ToWide(record.at("Parameters"));
  job->workingDirectory = Utf8ToWide(record.at("WorkingDirectory"));
  job->account = Utf8ToWide(record.at("Account"));
  const std::string &password = record.at("Password");
  job->password = password == "null" ? 0 : (password == "empty" ? 1 : 2);
  job->flags = static_cast<DWORD>(flags);
  job->triggerCount = static_cast<int>(count);
  bool whole = true;
  for (int i = 0; i < job->triggerCount; ++i)
    ForEachTriggerField(job->triggers[i], [&](const char *field, auto &value) {
      const auto found = record.find("Trigger" + std::to_string(i) + "." + field);
      unsigned long number = 0;
      whole = whole && found != record.end() && Number(found->second, 10, &number);
      value = static_cast<std::remove_reference_t<decltype(value)>>(number);
    });
  return whole;
}

}  // namespace

HRESULT StandinReadJobFile(LPCWSTR name, StandinJob *job) {
  std::string path;
  const HRESULT found = StandinJobFilePath(name, &path);
  if (found != S_OK) return found;
  std::ifstream in(path, std::ios::binary);
  if (!in) return kStandinFileNotFound;
  const std::string text(std::istreambuf_iterator<char>(in), {});
  return JobOfRecord(ParseRecord(text), job) ? S_OK : SCHED_E_INVALID_TASK;
}

HRESULT StandinDeleteJobFile(LPCWSTR name) {
  std::string path;
  const HRESULT found = StandinJobFilePath(name, &path);
  if (found != S_OK) return found;
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return kStandinFileNotFound;
  // Windows keeps a read-only file; Wine reads "read-only" off the
  // permission bits, as here.
  if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return E_ACCESSDENIED;
  return unlink(path.c_str()) == 0 ? S_OK : E_ACCESSDENIED;
}
