// The program's entry natively: arguments arrive as UTF-8.
#include "standins/host/shell/shell.h"
#include "standins/host/shell/shell_os.h"

int main(int argc, char **argv) { return RunShell(OsArguments(argc, argv)); }
