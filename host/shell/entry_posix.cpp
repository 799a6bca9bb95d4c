// The program's entry natively: arguments arrive as UTF-8.
#include "host/common/utf8_text.h"
#include "host/shell/shell.h"

int main(int argc, char **argv) {
  std::vector<std::wstring> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(Utf8ToWide(argv[i]));
  return RunShell(arguments);
}
