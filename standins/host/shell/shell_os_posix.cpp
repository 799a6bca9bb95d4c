#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "standins/common/utf8_text.h"
#include "standins/host/shell/shell_os.h"

extern char **environ;

void *OsLoadLibrary(const std::wstring &path, std::wstring *error) {
  void *library = dlopen(PosixPath(path).c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (!library) {
    const char *reason = dlerror();
    *error = Utf8ToWide(reason ? reason : "unknown error");
  }
  return library;
}

OsSymbol OsFindSymbol(void *library, const char *name) {
  return reinterpret_cast<OsSymbol>(dlsym(library, name));
}

void OsFreeLibrary(void *library) { dlclose(library); }

int OsRunSystemShell(const std::wstring &line) {
  const std::string command = WideToUtf8(line);
  char shell[] = "/bin/sh";
  char option[] = "-c";
  char *arguments[] = {shell, option, const_cast<char *>(command.c_str()), nullptr};
  pid_t child;
  if (posix_spawn(&child, shell, nullptr, nullptr, arguments, environ) != 0) return -1;
  int status = 0;
  while (waitpid(child, &status, 0) < 0)
    if (errno != EINTR) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);  // as sh reports it
  return -1;
}

bool OsRedirectStream(int stream, const std::wstring &path, bool append, OsSavedStream *saved) {
  const int mode = stream == 0 ? O_RDONLY : O_WRONLY | O_CREAT | (append ? O_APPEND : O_TRUNC);
  const int file = open(PosixPath(path).c_str(), mode | O_CLOEXEC, 0666);
  if (file < 0) return false;
  *saved = fcntl(stream, F_DUPFD_CLOEXEC, 3);  // -1 when the stream was closed
  dup2(file, stream);
  close(file);
  return true;
}

bool OsShareOutput(OsSavedStream *saved) {
  *saved = fcntl(2, F_DUPFD_CLOEXEC, 3);
  dup2(1, 2);  // were standard output closed, errors would stay where they go
  return true;
}

void OsRestoreStream(int stream, OsSavedStream saved) {
  if (saved < 0) {
    close(stream);
    return;
  }
  dup2(static_cast<int>(saved), stream);
  close(static_cast<int>(saved));
}

bool OsReadFile(const std::wstring &path, std::string *bytes) {
  std::FILE *file = std::fopen(PosixPath(path).c_str(), "rb");
  if (!file) return false;
  bytes->clear();
  char chunk[4096];
  std::size_t count;
  while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes->append(chunk, count);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

bool OsReadStandardInputLine(std::string *line) {
  line->clear();
  char byte;
  bool any = false;
  for (;;) {
    const ssize_t count = read(0, &byte, 1);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return any;
    any = true;
    if (byte == '\n') return true;
    *line += byte;
  }
}

std::vector<std::wstring> OsArguments(int count, char **values) {
  std::vector<std::wstring> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8ToWide(values[i]));
  return arguments;
}

std::wstring OsCommandTail(const std::vector<std::wstring> &arguments, std::size_t index) {
  std::wstring tail;
  for (std::size_t i = index + 1; i < arguments.size(); ++i) {
    if (i > index + 1) tail += L' ';
    tail += arguments[i];
  }
  return tail;
}
