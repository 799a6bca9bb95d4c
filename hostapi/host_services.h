// What the plug-in asks of its host: the services TakeCmd.dll exports.
// Texts are wide; the formats take %s (a wide text), %d, %x and the widths
// %02d, %04d and %08x. The plug-in imports these by their plain names.
#pragma once

#include "hostapi/win_api.h"

extern "C" {
int WINAPI ExpandVariables(wchar_t *buffer, int flag);
int __cdecl Printf(const wchar_t *format, ...);
int __cdecl Qprintf(HANDLE handle, const wchar_t *format, ...);
int WINAPI QPuts(const wchar_t *text);
int __cdecl Sprintf(wchar_t *buffer, const wchar_t *format, ...);
int WINAPI QueryIsFile(const wchar_t *path);
int WINAPI QueryIsDirectory(const wchar_t *path);
wchar_t *WINAPI QueryTrueName(const wchar_t *path, wchar_t *result);
}

// Every buffer handed to ExpandVariables, Sprintf or QueryTrueName holds this
// many characters, terminator included.
constexpr int kHostBufferChars = 16384;

// The buffer the host hands the Usage export holds this many characters.
constexpr int kUsageBufferChars = 1024;
