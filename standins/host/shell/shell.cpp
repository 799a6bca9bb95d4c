#include "standins/host/shell/shell.h"

#include <cstdio>

#include "hostapi/win_api.h"
#include "standins/common/utf8_text.h"
#include "standins/host/shell/batch_file.h"
#include "standins/host/shell/line_runner.h"
#include "standins/host/shell/shell_messages.h"
#include "standins/host/shell/shell_options.h"
#include "standins/host/shell/shell_os.h"
#include "standins/host/takecmd/host_control.h"

namespace {

// UTF-8 lines, LF or CR LF, as a pipe or a file gives them.
void RunStandardInput(ShellState *state) {
  std::string line;
  while (!state->exitRequested && OsReadStandardInputLine(&line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    RunLine(state, Utf8ToWide(line));
  }
}

void Run(ShellState *state, const ShellOptions &options) {
  if (options.transient)
    RunLine(state, options.commandLine);
  else if (!options.batchFile.empty())
    state->lastResult = RunBatchFile(state, options.batchFile);
  else
    RunStandardInput(state);
}

}  // namespace

int RunShell(const std::vector<std::wstring> &arguments) {
  // Everything is written straight to the handles; nothing may sit in a buffer.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::setvbuf(stderr, nullptr, _IONBF, 0);

  ShellOptions options;
  std::wstring error;
  if (!ParseShellOptions(arguments, &options, &error)) {
    ShellError(error);
    ShellErrorText(kShellUsage);
    return 2;
  }

  HostSetVariable(L"_transient", options.transient ? L"1" : L"0");
  for (const auto &[name, value] : options.settings)
    if (HostSetVariable(name.c_str(), value.c_str()) != 0)
      ShellError(L"cannot set a variable named " + name);

  const bool comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  if (!comStarted) ShellError(L"CoInitializeEx failed");

  int code;
  {
    ShellState state;
    state.runLine = RunLine;
    bool loaded = true;
    for (const std::wstring &path : options.plugins) loaded = loaded && state.plugins.Load(path);
    if (loaded) Run(&state, options);
    code = loaded ? state.lastResult : 1;
    state.plugins.UnloadAll();  // before COM goes: a plug-in may still hold COM objects
  }
  if (comStarted) CoUninitialize();
  return code;
}
