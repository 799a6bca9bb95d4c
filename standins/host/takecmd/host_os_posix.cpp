#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "standins/common/utf8_text.h"
#include "standins/host/takecmd/host_os.h"
#include "standins/posix/standin_handles.h"

bool OsGetEnvironment(const std::wstring &name, std::wstring *value) {
  const char *text = std::getenv(WideToUtf8(name).c_str());
  if (!text) return false;
  *value = Utf8ToWide(text);
  return true;
}

void OsSetEnvironment(const std::wstring &name, const wchar_t *value) {
  const std::string narrowName = WideToUtf8(name);
  if (value)
    setenv(narrowName.c_str(), WideToUtf8(value).c_str(), 1);
  else
    unsetenv(narrowName.c_str());
}

HANDLE OsStandardOutput() { return GetStdHandle(STD_OUTPUT_HANDLE); }

namespace {

bool WriteAll(int fd, const char *bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t written = write(fd, bytes, count);
    if (written < 0) return false;
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

bool OsWriteText(HANDLE handle, std::wstring_view text) {
  const int fd = StandinFdFromHandle(handle);
  if (fd < 0) return false;
  const std::string bytes = WideToUtf8(text);
  return WriteAll(fd, bytes.data(), bytes.size());
}

void OsWriteErrorBytes(const char *text) { WriteAll(2, text, std::strlen(text)); }

namespace {

// Windows takes paths far longer than PATH_MAX, which Linux refuses in one
// piece: a longer path is looked up a piece at a time, each ending in a '/'.
int StatLongPath(const std::string &path, struct stat *status) {
  int directory = AT_FDCWD;
  const char *rest = path.c_str();
  while (std::strlen(rest) >= PATH_MAX) {
    std::string piece(rest, PATH_MAX - 1);
    const std::size_t end = piece.rfind('/');
    if (end == std::string::npos) break;
    piece.resize(end + 1);
    const int next = openat(directory, piece.c_str(), O_PATH | O_DIRECTORY);
    if (directory != AT_FDCWD) close(directory);
    if (next < 0) return -1;
    directory = next;
    rest += piece.size();
  }
  const int result = fstatat(directory, rest, status, 0);
  if (directory != AT_FDCWD) close(directory);
  return result;
}

}  // namespace

PathKind OsPathKind(const wchar_t *path) {
  struct stat status {};
  if (StatLongPath(PosixPath(path), &status) != 0) return PathKind::kNone;
  if (S_ISREG(status.st_mode)) return PathKind::kFile;
  if (S_ISDIR(status.st_mode)) return PathKind::kDirectory;
  return PathKind::kOther;
}

bool OsTrueName(const wchar_t *path, std::wstring *result) {
  const std::string posixPath = PosixPath(path);
  if (posixPath.empty()) return false;
  char *resolved = realpath(posixPath.c_str(), nullptr);
  if (!resolved) return false;
  *result = Utf8ToWide(resolved);
  std::free(resolved);
  return true;
}

bool OsStandardInputIsPipe() {
  struct stat status {};
  return fstat(0, &status) == 0 && S_ISFIFO(status.st_mode);
}

std::wstring OsExecutablePath() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  path[length] = '\0';
  return Utf8ToWide(path);
}

std::wstring OsCurrentDirectory() {
  char *path = getcwd(nullptr, 0);
  if (!path) return {};
  std::wstring result = Utf8ToWide(path);
  std::free(path);
  return result;
}
