#include "standins/host/takecmd/variables.h"

#include <cwchar>
#include <vector>

#include "standins/common/ascii_case.h"
#include "standins/host/takecmd/host_os.h"

struct InternalVariable {
  std::wstring name;
  std::wstring value;
};

namespace {

// What a shell that runs no batch file, was not started with /c and was
// started by nobody in particular reports. The shell program sets its own.
std::vector<InternalVariable> &InternalTable() {
  static std::vector<InternalVariable> table = {
      {L"_batch", L"0"},
      {L"_batchline", L"0"},
      {L"_transient", L"0"},
      {L"_pipe", OsStandardInputIsPipe() ? L"1" : L"0"},
      {L"_cmdspec", OsExecutablePath()},
      {L"_?", L"0"},
      {L"?", L"0"},
  };
  return table;
}

// ? (the last external program's exit code) is the one internal name without '_'.
bool IsInternal(std::wstring_view name) {
  return (!name.empty() && name[0] == L'_') || name == L"?";
}

std::wstring Clock(const wchar_t *format, bool date) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t text[16];
  if (date)
    std::swprintf(text, 16, format, now.wMonth, now.wDay, now.wYear % 100);
  else
    std::swprintf(text, 16, format, now.wHour, now.wMinute, now.wSecond);
  return text;
}

// The internal variables that are read afresh each time: the current
// folder, and the date (mm/dd/yy) and time (hh:mm:ss) of the local clock.
bool LookupLive(std::wstring_view name, std::wstring *value) {
  if (EqualsIgnoringAsciiCase(name, L"_cwd"))
    *value = OsCurrentDirectory();
  else if (EqualsIgnoringAsciiCase(name, L"_date"))
    *value = Clock(L"%02u/%02u/%02u", true);
  else if (EqualsIgnoringAsciiCase(name, L"_time"))
    *value = Clock(L"%02u:%02u:%02u", false);
  else
    return false;
  return true;
}

}  // namespace

bool LookupVariable(std::wstring_view name, std::wstring *value) {
  if (name.empty()) return false;
  if (OsGetEnvironment(std::wstring(name), value)) return true;  // the user's SET wins
  if (!IsInternal(name)) return false;
  if (LookupLive(name, value)) return true;
  for (const InternalVariable &entry : InternalTable())
    if (EqualsIgnoringAsciiCase(entry.name, name)) {
      *value = entry.value;
      return true;
    }
  return false;
}

bool SetEnvironment(std::wstring_view name, std::wstring_view value) {
  if (name.empty() || name.find(L'=') != std::wstring_view::npos) return false;
  const std::wstring text(value);
  OsSetEnvironment(std::wstring(name), value.empty() ? nullptr : text.c_str());
  return true;
}

bool SetVariable(std::wstring_view name, std::wstring_view value) {
  if (!IsInternal(name)) return SetEnvironment(name, value);
  if (name.find(L'=') != std::wstring_view::npos) return false;
  std::vector<InternalVariable> &table = InternalTable();
  for (auto entry = table.begin(); entry != table.end(); ++entry) {
    if (!EqualsIgnoringAsciiCase(entry->name, name)) continue;
    if (value.empty())
      table.erase(entry);
    else
      entry->value = value;
    return true;
  }
  if (!value.empty()) table.push_back({std::wstring(name), std::wstring(value)});
  return true;
}
