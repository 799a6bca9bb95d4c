// A plug-in for the shell's own checks: it lists four commands, of which
// "missing" has no export, says when it is loaded and shut down, and shows
// what the host handed it, its standard input among that. It is built again
// without one export of its life each (PROBE_NO_INITIALIZE,
// PROBE_NO_SHUTDOWN), which the shell must refuse to load; and on x86,
// broken in one way each, for the shell's check of the convention it calls
// exports with:
//   PROBE_CALL=__cdecl     every export leaves its arguments on the stack;
//   PROBE_EXTRA_ARGUMENT   probe() removes one argument more than it is given;
//   PROBE_CLOBBER          probe() returns with ESI and EDI changed;
//   PROBE_ASM_CLOBBER=reg  probe(), written in assembly, returns with EBX or
//                          EBP zeroed: around inline asm the compiler keeps
//                          EBX, and EBP as its frame, whatever the asm says;
//   PROBE_SET_DF           probe() returns with the direction flag set.
#include <cwchar>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "hostapi/description_record.h"
#include "hostapi/host_services.h"

#ifndef PROBE_CALL
#define PROBE_CALL WINAPI
#endif
#ifdef _WIN32
#define PROBE_EXPORT extern "C" __declspec(dllexport)
#else
#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

PluginInfo Info = {L"Probe",
                   L"Tardo tests",
                   L"",
                   L"",
                   L"Shows what the host passes",
                   L"probe, overrun missing readline",
                   0,
                   1,
                   0,
                   nullptr,
                   nullptr};

}  // namespace

PROBE_EXPORT PluginInfo *WINAPI GetPluginInfo(void) { return &Info; }

#ifndef PROBE_NO_INITIALIZE
PROBE_EXPORT int PROBE_CALL InitializePlugin(void) {
  wchar_t buffer[kHostBufferChars] = L"%[_transient]%[_pipe]%[noloadmsg]";
  ExpandVariables(buffer, 1);
  Printf(L"probe loaded: %s\n", buffer);
  return 0;
}
#endif

#ifndef PROBE_NO_SHUTDOWN
PROBE_EXPORT int PROBE_CALL ShutdownPlugin(int endProcess) {
  Printf(L"probe shut down: %d\n", endProcess);
  return 0;
}
#endif

PROBE_EXPORT int PROBE_CALL Help(wchar_t *name) { return std::wcscmp(name, L"probe") == 0 ? 7 : 0; }

PROBE_EXPORT int PROBE_CALL Usage(wchar_t *name, wchar_t *buffer) {
  if (std::wcscmp(name, L"probe") != 0) return 0;
  std::wcscpy(buffer, L"PROBE [text]\r\n");
  return 1;
}

// Prints the tail in brackets; its result is the tail's length.
extern "C" int WINAPI ShowTail(const wchar_t *tail) {
  Printf(L"[%s]\n", tail);
  return static_cast<int>(std::wcslen(tail));
}

#if defined(PROBE_ASM_CLOBBER)
#define PROBE_TEXT(name) #name
#define PROBE_REGISTER(name) PROBE_TEXT(name)
// probe(wchar_t *tail) as the linker sees an x86 __stdcall export: ShowTail,
// then the register zeroed, then its one argument removed.
asm(R"(
        .intel_syntax noprefix
        .text
        .globl _probe@4
        .def _probe@4; .scl 2; .type 32; .endef
_probe@4:
        push dword ptr [esp+4]
        call _ShowTail@4
        xor )" PROBE_REGISTER(PROBE_ASM_CLOBBER) ", " PROBE_REGISTER(PROBE_ASM_CLOBBER) R"(
        ret 4
        .section .drectve
        .ascii " -export:\"probe@4\""
        .text
        .att_syntax prefix
)");
#else
#ifdef PROBE_EXTRA_ARGUMENT
PROBE_EXPORT int PROBE_CALL probe(wchar_t *tail, int) {
#else
PROBE_EXPORT int PROBE_CALL probe(wchar_t *tail) {
#endif
  const int length = ShowTail(tail);
#if defined(PROBE_CLOBBER)
  asm volatile(
      "xorl %%esi, %%esi\n\txorl %%edi, %%edi" ::);  // told to no one: nothing restores them
#elif defined(PROBE_SET_DF)
  asm volatile("std");
#endif
  return length;
}
#endif

namespace {

// One byte of standard input, from the handle the host gives the plug-in,
// so that only a redirection the host made reaches it.
bool ReadByte(char *c) {
#ifdef _WIN32
  DWORD count = 0;
  return ReadFile(GetStdHandle(STD_INPUT_HANDLE), c, 1, &count, nullptr) && count == 1;
#else
  return read(0, c, 1) == 1;
#endif
}

}  // namespace

// Shows the first line of its standard input (ASCII) in brackets; its
// result is the line's length.
PROBE_EXPORT int PROBE_CALL readline(wchar_t *) {
  wchar_t line[256] = {};
  int length = 0;
  char c;
  while (length < 255 && ReadByte(&c) && c != '\r' && c != '\n')
    line[length++] = static_cast<unsigned char>(c);
  Printf(L"[%s]\n", line);
  return length;
}

// Hands Sprintf more than a host buffer holds: strict mode stops here.
PROBE_EXPORT int PROBE_CALL overrun(wchar_t *) {
  static wchar_t longText[kHostBufferChars + 100];
  for (int i = 0; i < kHostBufferChars + 99; ++i) longText[i] = L'x';
  wchar_t buffer[kHostBufferChars];
  const int length = Sprintf(buffer, L"%s", longText);
  Printf(L"cut to %d\n", length);
  return 0;
}
