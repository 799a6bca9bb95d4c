#include <windows.h>

#include "standins/common/process.h"
#include "standins/host/shell/shell_os.h"

void *OsLoadLibrary(const std::wstring &path, std::wstring *error) {
  HMODULE library = LoadLibraryW(path.c_str());
  if (!library) *error = L"error " + std::to_wstring(GetLastError());
  return reinterpret_cast<void *>(library);
}

OsSymbol OsFindSymbol(void *library, const char *name) {
  return reinterpret_cast<OsSymbol>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void OsFreeLibrary(void *library) { FreeLibrary(static_cast<HMODULE>(library)); }

int OsRunSystemShell(const std::wstring &line) {
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return -1;
  const std::wstring shell = std::wstring(system) + L"\\cmd.exe";
  return RunProgramAndWait(shell.c_str(), L"\"" + shell + L"\" /c " + line,
                           GetStdHandle(STD_OUTPUT_HANDLE), GetStdHandle(STD_ERROR_HANDLE),
                           INFINITE);
}

namespace {

DWORD StandardHandle(int stream) {
  return stream == 0 ? STD_INPUT_HANDLE : stream == 1 ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
}

}  // namespace

bool OsRedirectStream(int stream, const std::wstring &path, bool append, OsSavedStream *saved) {
  const DWORD access = stream == 0 ? GENERIC_READ
                       : append    ? FILE_APPEND_DATA | SYNCHRONIZE
                                   : GENERIC_WRITE;
  const DWORD disposition = stream == 0 ? OPEN_EXISTING : append ? OPEN_ALWAYS : CREATE_ALWAYS;
  HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  *saved = reinterpret_cast<OsSavedStream>(GetStdHandle(StandardHandle(stream)));
  SetStdHandle(StandardHandle(stream), file);
  return true;
}

bool OsShareOutput(OsSavedStream *saved) {
  // A handle of its own, which OsRestoreStream closes without closing the output.
  HANDLE copy;
  if (!DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_OUTPUT_HANDLE), GetCurrentProcess(),
                       &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
    return false;
  *saved = reinterpret_cast<OsSavedStream>(GetStdHandle(STD_ERROR_HANDLE));
  SetStdHandle(STD_ERROR_HANDLE, copy);
  return true;
}

void OsRestoreStream(int stream, OsSavedStream saved) {
  CloseHandle(GetStdHandle(StandardHandle(stream)));
  SetStdHandle(StandardHandle(stream), reinterpret_cast<HANDLE>(saved));
}

bool OsReadFile(const std::wstring &path, std::string *bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char chunk[4096];
  DWORD count = 0;
  bool ok;
  while ((ok = ReadFile(file, chunk, sizeof chunk, &count, nullptr)) && count > 0)
    bytes->append(chunk, count);
  CloseHandle(file);
  return ok;
}

bool OsReadStandardInputLine(std::string *line) {
  line->clear();
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  bool any = false;
  char byte;
  DWORD count;
  while (ReadFile(input, &byte, 1, &count, nullptr) && count == 1) {
    any = true;
    if (byte == '\n') return true;
    *line += byte;
  }
  return any;
}

namespace {

// Passes over one argument of a raw command line as the C runtime splits it:
// blanks end it outside double quotes; 2n backslashes before a quote are n
// backslashes and the quote counts, 2n+1 make the quote literal.
const wchar_t *SkipArgument(const wchar_t *p) {
  while (*p == L' ' || *p == L'\t') ++p;
  bool quoted = false;
  while (*p != L'\0' && (quoted || (*p != L' ' && *p != L'\t'))) {
    int backslashes = 0;
    while (*p == L'\\') {
      ++backslashes;
      ++p;
    }
    if (*p == L'"') {
      if (backslashes % 2 == 0) quoted = !quoted;
      ++p;
    } else if (backslashes == 0) {
      ++p;
    }
  }
  return p;
}

// The program name has simpler rules: a quote starts and ends it.
const wchar_t *SkipProgramName(const wchar_t *p) {
  if (*p == L'"') {
    ++p;
    while (*p != L'\0' && *p != L'"') ++p;
    return *p == L'"' ? p + 1 : p;
  }
  while (*p != L'\0' && *p != L' ' && *p != L'\t') ++p;
  return p;
}

// CreateProcess may be given the program apart from a command line that
// holds the parameters alone ("/c ..."), as a scheduler can do; the C
// runtime then takes the first parameter for the program's name.
bool ProgramNameMissing = false;

bool IsShellOption(const std::wstring &text) {
  return text == L"/c" || text == L"/C" || text.compare(0, 2, L"--") == 0;
}

}  // namespace

std::vector<std::wstring> OsArguments(int count, wchar_t **values) {
  ProgramNameMissing = count > 0 && IsShellOption(values[0]);
  return std::vector<std::wstring>(values + (ProgramNameMissing ? 0 : 1), values + count);
}

std::wstring OsCommandTail(const std::vector<std::wstring> &arguments, std::size_t index) {
  // One argument holding blanks is what a POSIX caller (Wine) sends for a
  // whole line: its raw form is quoted and escaped, so take it as parsed,
  // unless it names a file, which cmd.exe too keeps in its quotes.
  if (index + 2 == arguments.size()) {
    const std::wstring &only = arguments[index + 1];
    if (only.find_first_of(L" \t") != std::wstring::npos &&
        GetFileAttributesW(only.c_str()) == INVALID_FILE_ATTRIBUTES)
      return only;
  }
  const wchar_t *p = GetCommandLineW();
  if (!ProgramNameMissing) p = SkipProgramName(p);
  for (std::size_t i = 0; i <= index; ++i) p = SkipArgument(p);
  if (*p == L' ' || *p == L'\t') ++p;  // the one blank that separates /c from the line
  return p;
}
