// GetUserNameW: the name of the POSIX user the process runs as.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "standins/common/utf8_text.h"
#include "standins/posix/standin_scheduler.h"

namespace {

bool Fails = false;

}  // namespace

void StandinFailGetUserName(int fail) { Fails = fail != 0; }

namespace {

std::wstring PosixUserName() {
  char storage[4096];
  passwd entry{};
  passwd *found = nullptr;
  const char *text = nullptr;
  if (getpwuid_r(geteuid(), &entry, storage, sizeof storage, &found) == 0 && found)
    text = found->pw_name;
  if (!text) text = std::getenv("USER");
  return text ? Utf8ToWide(text) : std::wstring();
}

}  // namespace

// As on Windows: *size is the buffer's capacity in characters on entry and
// the characters written, terminator included, on success; when the buffer
// is too small the call fails and *size tells what is needed.
BOOL WINAPI GetUserNameW(LPWSTR buffer, LPDWORD size) {
  if (Fails || !size) return FALSE;
  const std::wstring name = PosixUserName();
  if (name.empty()) return FALSE;
  const auto length = static_cast<DWORD>(name.size());
  if (!buffer || *size < length + 1) {
    *size = length + 1;
    return FALSE;
  }
  std::wmemcpy(buffer, name.c_str(), length + 1);
  *size = length + 1;
  return TRUE;
}
