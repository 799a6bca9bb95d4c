// RegGetValueW: a registry of one value, the Task Scheduler's job folder
// HKLM\SOFTWARE\Microsoft\SchedulingAgent\TasksFolder, stored as Windows
// stores it ("%SystemRoot%\Tasks", REG_EXPAND_SZ). STANDIN_TASKSFOLDER
// replaces the stored text; "-" there means the value is absent.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include <windows.h>
#include "standins/common/ascii_case.h"
#include "standins/common/utf8_text.h"

namespace {

// What ExpandEnvironmentStrings does: %NAME% becomes the variable's value;
// a reference to an unset variable stays as it is.
std::wstring ExpandEnvironment(const std::wstring &text) {
  std::wstring result;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find(L'%', at);
    const std::size_t close = open == std::wstring::npos ? open : text.find(L'%', open + 1);
    if (close == std::wstring::npos) {
      result.append(text, at, std::wstring::npos);
      break;
    }
    result.append(text, at, open - at);
    const std::wstring name = text.substr(open + 1, close - open - 1);
    const char *value = name.empty() ? nullptr : std::getenv(WideToUtf8(name).c_str());
    if (value) {
      result += Utf8ToWide(value);
      at = close + 1;
    } else {
      result += L'%';
      result += name;
      at = close;  // the closing '%' may open the next reference
    }
  }
  return result;
}

LSTATUS StoredTasksFolder(std::wstring *text, DWORD *type) {
  *type = REG_EXPAND_SZ;
  const char *replacement = std::getenv("STANDIN_TASKSFOLDER");
  if (!replacement) {
    *text = L"%SystemRoot%\\Tasks";
    return ERROR_SUCCESS;
  }
  if (std::strcmp(replacement, "-") == 0) return ERROR_FILE_NOT_FOUND;
  *text = Utf8ToWide(replacement);
  return ERROR_SUCCESS;
}

}  // namespace

LSTATUS WINAPI RegGetValueW(HKEY key, LPCWSTR subKey, LPCWSTR value, DWORD flags, LPDWORD type,
                            LPVOID data, LPDWORD bytes) {
  // As on Windows: an expandable string can only be asked for unexpanded,
  // and a buffer needs its size.
  if ((flags & RRF_RT_REG_EXPAND_SZ) && !(flags & RRF_NOEXPAND)) return ERROR_INVALID_PARAMETER;
  if (data && !bytes) return ERROR_INVALID_PARAMETER;
  if (key != HKEY_LOCAL_MACHINE || !subKey || !value ||
      !EqualsIgnoringAsciiCase(subKey, L"SOFTWARE\\Microsoft\\SchedulingAgent") ||
      !EqualsIgnoringAsciiCase(value, L"TasksFolder"))
    return ERROR_FILE_NOT_FOUND;

  std::wstring text;
  DWORD storedType;
  const LSTATUS found = StoredTasksFolder(&text, &storedType);
  if (found != ERROR_SUCCESS) return found;
  if (storedType == REG_EXPAND_SZ && !(flags & RRF_NOEXPAND)) {
    // Asked for a plain string: Windows hands back the expansion.
    if (!(flags & RRF_RT_REG_SZ)) return ERROR_UNSUPPORTED_TYPE;
    text = ExpandEnvironment(text);
    storedType = REG_SZ;
  } else if (storedType == REG_EXPAND_SZ && !(flags & RRF_RT_REG_EXPAND_SZ)) {
    return ERROR_UNSUPPORTED_TYPE;
  }

  if (type) *type = storedType;
  const DWORD needed = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  if (!data) {
    if (bytes) *bytes = needed;
    return ERROR_SUCCESS;
  }
  if (*bytes < needed) {
    *bytes = needed;
    return ERROR_MORE_DATA;
  }
  std::wmemcpy(static_cast<wchar_t *>(data), text.c_str(), text.size() + 1);
  *bytes = needed;
  return ERROR_SUCCESS;
}

// A fresh machine has no SystemRoot: give it one, with the Tasks folder the
// stored value names, before anything reads the registry.
__attribute__((constructor)) static void ProvideSystemRoot() {
  if (std::getenv("SystemRoot")) return;
  char root[128];
  std::snprintf(root, sizeof root, "/tmp/tardo-standin-%u", static_cast<unsigned>(getuid()));
  mkdir(root, 0700);
  std::string windows = std::string(root) + "/Windows";
  mkdir(windows.c_str(), 0700);
  mkdir((windows + "/Tasks").c_str(), 0700);
  setenv("SystemRoot", windows.c_str(), 0);
}
