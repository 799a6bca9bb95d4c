// Whole command tails through the tardo export, against the stand-in host and
// scheduler: whatever the input, the command ends with a result of 0, 1 or 2
// and writes exactly one answer: the usage text, the "out" reply, one
// confirmation line, or what /L and /D say of the empty Tasks folder on
// standard output, or one error line on standard error.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "plugin/exports.h"
#include "standins/posix/standin_clock.h"
#include "tests/fuzz/support/fuzz_text.h"
#include "tests/support/expectations.h"

namespace {

std::string Tasks;
int OutputFile = -1;
int ErrorFile = -1;

std::string TakeBytes(int fd) {
  std::string bytes;
  char chunk[4096];
  ssize_t got;
  off_t at = 0;
  while ((got = pread(fd, chunk, sizeof chunk, at)) > 0) {
    bytes.append(chunk, static_cast<size_t>(got));
    at += got;
  }
  // The descriptor is shared with the redirected stream: rewind it too.
  if (ftruncate(fd, 0) != 0 || lseek(fd, 0, SEEK_SET) != 0) std::abort();
  return bytes;
}

int RemoveJobFiles() {
  int removed = 0;
  DIR *folder = opendir(Tasks.c_str());
  while (dirent *entry = readdir(folder)) {
    const std::string name = entry->d_name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".job") == 0) {
      std::remove((Tasks + "/" + name).c_str());
      ++removed;
    }
  }
  closedir(folder);
  return removed;
}

bool IsConfirmation(const std::string &out) {
  // "[yyyy-mm-dd hh:mm]  " then the command and a line feed.
  const char *shape = "[dddd-dd-dd dd:dd]  ";
  if (out.size() < 21 || out.back() != '\n') return false;
  for (int i = 0; shape[i] != '\0'; ++i) {
    const char c = out[static_cast<size_t>(i)];
    if (shape[i] == 'd' ? (c < '0' || c > '9') : c != shape[i]) return false;
  }
  return true;
}

size_t Count(const std::string &text, const std::string &part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

bool HasLineEnd(const std::uint8_t *data, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i)
    if (data[i] == '\r' || data[i] == '\n' || data[i] == 0) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  char folder[] = "/tmp/tardo-fuzz-command-XXXXXX";
  if (!mkdtemp(folder)) std::abort();
  const std::string root = std::string(folder) + "/Windows";
  Tasks = root + "/Tasks";
  if (mkdir(root.c_str(), 0700) != 0 || mkdir(Tasks.c_str(), 0700) != 0) std::abort();
  setenv("SystemRoot", root.c_str(), 1);
  OutputFile = open((std::string(folder) + "/out").c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
  ErrorFile = open((std::string(folder) + "/err").c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
  const SYSTEMTIME now = {2016, 3, 2, 1, 10, 30, 5, 0};
  StandinSetLocalTime(&now);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  std::vector<wchar_t> tail = FuzzText(data, size);
  const int savedOut = dup(1), savedErr = dup(2);
  dup2(OutputFile, 1);
  dup2(ErrorFile, 2);
  const int result = tardo(tail.data());
  dup2(savedOut, 1);
  dup2(savedErr, 2);
  close(savedOut);
  close(savedErr);
  const std::string out = TakeBytes(OutputFile), err = TakeBytes(ErrorFile);
  const int jobs = RemoveJobFiles();

  if (result < 0 || result > 2) std::abort();
  if (result == 0) {
    const bool usage = out == std::string(kUsageDescription) + kUsageSyntax;
    const bool reply = out == "Like totally, dude.\n";
    const bool confirmed = IsConfirmation(out);
    // Every job goes after each input: nothing is left to list or delete.
    const bool listing = out == kNoPendingJobs || out == DeletedCountLine(0);
    if (!err.empty() || !(usage || reply || confirmed || listing)) std::abort();
    if (jobs != (confirmed ? 1 : 0)) std::abort();
  } else {
    if (!out.empty() || jobs != 0) std::abort();
    // One line: a line end inside it can only come from the user's own word.
    if (err.rfind(kErrorPrefix, 0) != 0) std::abort();
    if (err.size() < 16 || err.compare(err.size() - 2, 2, "\r\n") != 0) std::abort();
    if (Count(err, "\r\n") != 1 && !HasLineEnd(data, size)) std::abort();
  }
  return 0;
}
