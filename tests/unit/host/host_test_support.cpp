#include "tests/unit/host/host_test_support.h"

#include <cstdlib>

#include "standins/common/utf8_text.h"

#ifdef _WIN32
bool EnvironmentValue(const wchar_t *name, std::wstring *value) {
  wchar_t buffer[4096];
  const DWORD length = GetEnvironmentVariableW(name, buffer, 4096);
  if (length == 0 || length >= 4096) return false;
  *value = buffer;
  return true;
}

void SetEnvironment(const wchar_t *name, const wchar_t *value) {
  SetEnvironmentVariableW(name, value);
}
#else
bool EnvironmentValue(const wchar_t *name, std::wstring *value) {
  const char *text = std::getenv(WideToUtf8(name).c_str());
  if (!text) return false;
  *value = Utf8ToWide(text);
  return true;
}

void SetEnvironment(const wchar_t *name, const wchar_t *value) {
  if (value)
    setenv(WideToUtf8(name).c_str(), WideToUtf8(value).c_str(), 1);
  else
    unsetenv(WideToUtf8(name).c_str());
}
#endif
