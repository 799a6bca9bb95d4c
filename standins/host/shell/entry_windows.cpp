// The program's entry on Windows: wide arguments (built with -municode).
#include "standins/host/shell/shell.h"
#include "standins/host/shell/shell_os.h"

int wmain(int argc, wchar_t **argv) { return RunShell(OsArguments(argc, argv)); }
