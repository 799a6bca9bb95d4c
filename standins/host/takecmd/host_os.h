// The operating system as the TakeCmd services need it; one implementation
// for Windows, one for POSIX (where paths go through PosixPath).
#pragma once

#include <string>
#include <string_view>

#include "hostapi/win_api.h"

enum class PathKind { kNone, kFile, kDirectory, kOther };

bool OsGetEnvironment(const std::wstring &name, std::wstring *value);
// A null value removes the variable.
void OsSetEnvironment(const std::wstring &name, const wchar_t *value);

HANDLE OsStandardOutput();
// Writes the text to the handle as UTF-8.
// Returns false when the handle cannot be written.
bool OsWriteText(HANDLE handle, std::wstring_view text);
// For the last words before an abort: no conversion, no allocation.
void OsWriteErrorBytes(const char *text);

PathKind OsPathKind(const wchar_t *path);
// The full, absolute form of an existing path; false when there is none.
bool OsTrueName(const wchar_t *path, std::wstring *result);

bool OsStandardInputIsPipe();
std::wstring OsExecutablePath();
// The full path of the current folder, without a separator at its end but
// at a root.
std::wstring OsCurrentDirectory();
