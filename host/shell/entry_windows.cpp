// The program's entry on Windows: wide arguments (built with -municode).
#include "host/shell/shell.h"

int wmain(int argc, wchar_t **argv) {
  std::vector<std::wstring> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return RunShell(arguments);
}
