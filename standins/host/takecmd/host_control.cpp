#include "standins/host/takecmd/host_control.h"

#include <cwchar>
#include <string>

#include "standins/host/takecmd/expansion.h"
#include "standins/host/takecmd/strict_mode.h"
#include "standins/host/takecmd/variables.h"

int HostSetVariable(const wchar_t *name, const wchar_t *value) {
  if (!name) return -1;
  return SetVariable(name, value ? value : L"") ? 0 : -1;
}

int HostSetEnvironment(const wchar_t *name, const wchar_t *value) {
  if (!name) return -1;
  return SetEnvironment(name, value ? value : L"") ? 0 : -1;
}

namespace {

// Copies text into out; -1 when it does not fit (out then holds as much as fits).
int CopyOut(const std::wstring &text, wchar_t *out, int capacity) {
  if (!out || capacity <= 0) return -1;
  const std::size_t room = static_cast<std::size_t>(capacity) - 1;
  const std::size_t length = text.size() < room ? text.size() : room;
  std::wmemcpy(out, text.data(), length);
  out[length] = L'\0';
  return text.size() <= room ? static_cast<int>(length) : -1;
}

}  // namespace

int HostGetVariable(const wchar_t *name, wchar_t *out, int capacity) {
  std::wstring value;
  if (!name || !LookupVariable(name, &value)) {
    if (out && capacity > 0) out[0] = L'\0';
    return -1;
  }
  if (CopyOut(value, out, capacity) >= 0) return static_cast<int>(value.size());
  if (out && capacity > 0) out[0] = L'\0';
  return -2;
}

int HostExpandText(const wchar_t *text, wchar_t *out, int capacity) {
  return CopyOut(text ? ExpandText(text) : std::wstring(), out, capacity);
}

int HostSetStrictMode(int on) {
  const bool previous = StrictMode();
  SetStrictMode(on != 0);
  return previous ? 1 : 0;
}
