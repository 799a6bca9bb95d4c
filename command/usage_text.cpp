#include "command/usage_text.h"

#include "hostapi/host_services.h"

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

void PrintUsage(void) {
  QPuts(kTardoDescription);
  QPuts(kTardoSyntax);
}
