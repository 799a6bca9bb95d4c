// GetUserNameW: the name of the POSIX user the process runs as.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "standins/posix/standin_paths.h"
#include "standins/posix/standin_scheduler.h"

static bool Fails = false;

void StandinFailGetUserName(int fail) { Fails = fail != 0; }

static bool PosixUserName(char *name, std::size_t capacity) {
  char storage[4096];
  passwd entry{};
  passwd *found = nullptr;
  const char *text = nullptr;
  if (getpwuid_r(geteuid(), &entry, storage, sizeof storage, &found) == 0 && found)
    text = found->pw_name;
  if (!text) text = std::getenv("USER");
  if (!text || !*text) return false;
  std::size_t i = 0;
  for (; text[i] != '\0'; ++i) {
    if (i + 1 >= capacity) return false;
    name[i] = text[i];
  }
  name[i] = '\0';
  return true;
}

// As on Windows: *size is the buffer's capacity in characters on entry and
// the characters written, terminator included, on success; when the buffer
// is too small the call fails and *size tells what is needed.
BOOL WINAPI GetUserNameW(LPWSTR buffer, LPDWORD size) {
  if (Fails || !size) return FALSE;
  char name[1024];
  wchar_t wide[1024];
  if (!PosixUserName(name, sizeof name) || StandinFromUtf8(name, wide, 1024) != 0) return FALSE;
  DWORD length = 0;
  while (wide[length] != L'\0') ++length;
  if (!buffer || *size < length + 1) {
    *size = length + 1;
    return FALSE;
  }
  for (DWORD i = 0; i <= length; ++i) buffer[i] = wide[i];
  *size = length + 1;
  return TRUE;
}
