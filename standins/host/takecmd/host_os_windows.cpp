#include <cstring>

#include "standins/common/process.h"
#include "standins/common/utf8_text.h"
#include "standins/host/takecmd/host_os.h"

bool OsGetEnvironment(const std::wstring &name, std::wstring *value) {
  std::wstring buffer(256, L'\0');
  for (;;) {
    const DWORD length =
        GetEnvironmentVariableW(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return false;
      value->clear();
      return true;
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      *value = buffer;
      return true;
    }
    buffer.resize(length);  // length counts the terminator when it did not fit
  }
}

void OsSetEnvironment(const std::wstring &name, const wchar_t *value) {
  SetEnvironmentVariableW(name.c_str(), value);
}

HANDLE OsStandardOutput() { return GetStdHandle(STD_OUTPUT_HANDLE); }

namespace {

bool WriteAll(HANDLE handle, const char *bytes, std::size_t count) {
  while (count > 0) {
    const DWORD chunk = count > 0x10000 ? 0x10000 : static_cast<DWORD>(count);
    DWORD written = 0;
    if (!WriteFile(handle, bytes, chunk, &written, nullptr) || written == 0) return false;
    bytes += written;
    count -= written;
  }
  return true;
}

}  // namespace

bool OsWriteText(HANDLE handle, std::wstring_view text) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  const std::string bytes = WideToUtf8(text);
  return WriteAll(handle, bytes.data(), bytes.size());
}

void OsWriteErrorBytes(const char *text) {
  WriteAll(GetStdHandle(STD_ERROR_HANDLE), text, std::strlen(text));
}

PathKind OsPathKind(const wchar_t *path) {
  const DWORD attributes = GetFileAttributesW(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kNone;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::kDirectory;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return PathKind::kOther;
  return PathKind::kFile;
}

bool OsTrueName(const wchar_t *path, std::wstring *result) {
  if (path[0] == L'\0') return false;
  const DWORD needed = GetFullPathNameW(path, 0, nullptr, nullptr);
  if (needed == 0) return false;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(path, needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return false;
  full.resize(length);
  if (GetFileAttributesW(full.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  *result = full;
  return true;
}

bool OsStandardInputIsPipe() {
  return GetFileType(GetStdHandle(STD_INPUT_HANDLE)) == FILE_TYPE_PIPE;
}

std::wstring OsExecutablePath() { return ProgramPath(); }

std::wstring OsCurrentDirectory() {
  std::wstring path(GetCurrentDirectoryW(0, nullptr), L'\0');
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data());
  path.resize(length < path.size() ? length : 0);
  return path;
}
