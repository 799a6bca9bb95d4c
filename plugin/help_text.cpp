#include "plugin/help_text.h"

#include "plugin/exports.h"
#include "plugin/host_services.h"
#include "plugin/wide_text.h"

constexpr wchar_t kTardoDescription[] =
    L"Run a command after a specified delay, or at a certain time.  \n\n";

constexpr wchar_t kTardoSyntax[] =
    L"TARDO [FOR] n MINUTES | HOURS [THEN] [IN dir] command\r\n"
    L"TARDO UNTIL hh:mm [THEN] [IN dir] command\n"
    L"\n"
    L"The command will be run in a separate shell.  IN dir sets\n"
    L"the working directory; the default is where TCC.EXE lives.  \n"
    L"If the command contains percent signs or other special\n"
    L"characters, enclose it in backquotes.  The keywords FOR\n"
    L"and THEN are syntax sugar; both are optional and neither\n"
    L"does anything.\n";

static_assert(sizeof(kTardoDescription) / sizeof(wchar_t) == 64 + 1);
static_assert(sizeof(kTardoSyntax) / sizeof(wchar_t) == 400 + 1);
static_assert(sizeof(kTardoSyntax) / sizeof(wchar_t) <= kUsageBufferChars);

static const wchar_t kCommandName[] = L"tardo";

void PrintUsage(void) {
  QPuts(kTardoDescription);
  QPuts(kTardoSyntax);
}

int WINAPI Help(wchar_t *name) {
  if (!EqualsIgnoringCase(name, kCommandName)) return 0;
  wchar_t text[kHostBufferChars];
  ClearText(text, kHostBufferChars);
  CopyText(text, kTardoDescription, kHostBufferChars);
  AppendText(text, kTardoSyntax, kHostBufferChars);
  MessageBoxW(GetForegroundWindow(), text, L"Tardo Help", MB_OK);
  return 1;
}

int WINAPI Usage(wchar_t *name, wchar_t *buffer) {
  if (!EqualsIgnoringCase(name, kCommandName)) return 0;
  CopyText(buffer, kTardoSyntax, kUsageBufferChars);
  return 1;
}
