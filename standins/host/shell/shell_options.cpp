#include "standins/host/shell/shell_options.h"

#include "standins/host/shell/shell_os.h"

const wchar_t kShellUsage[] =
    L"usage: hostshell [--plugin PATH]... [--set NAME=VALUE]... [/c LINE... | BATCHFILE]\n";

bool ParseShellOptions(const std::vector<std::wstring> &arguments, ShellOptions *options,
                       std::wstring *error) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring &argument = arguments[i];
    if (argument == L"--plugin" || argument == L"--set") {
      if (i + 1 == arguments.size()) {
        *error = argument + L" needs a value";
        return false;
      }
      const std::wstring &value = arguments[++i];
      if (argument == L"--plugin") {
        options->plugins.push_back(value);
        continue;
      }
      const std::size_t equals = value.find(L'=');
      if (equals == std::wstring::npos || equals == 0) {
        *error = L"--set needs NAME=VALUE, not " + value;
        return false;
      }
      options->settings.emplace_back(value.substr(0, equals), value.substr(equals + 1));
    } else if (argument == L"/c" || argument == L"/C") {
      options->transient = true;
      options->commandLine = OsCommandTail(arguments, i);
      return true;
    } else if (argument.size() > 2 && argument.compare(0, 2, L"--") == 0) {
      *error = L"unknown option " + argument;
      return false;
    } else if (i + 1 < arguments.size()) {
      *error = L"a batch file takes no arguments: " + arguments[i + 1];
      return false;
    } else {
      options->batchFile = argument;
    }
  }
  return true;
}
