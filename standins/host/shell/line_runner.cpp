#include "standins/host/shell/line_runner.h"

#include "standins/common/ascii_case.h"
#include "standins/common/utf8_text.h"
#include "standins/host/shell/builtins.h"
#include "standins/host/shell/command_line.h"
#include "standins/host/shell/export_call.h"
#include "standins/host/shell/shell_messages.h"
#include "standins/host/shell/shell_os.h"
#include "standins/host/shell/words.h"

namespace {

int RunPluginCommand(const PluginCommand &command, const std::wstring &pluginName,
                     const std::wstring &tail) {
  if (!command.entry) {
    ShellError(L"plug-in " + pluginName + L" has no export for command " + command.name);
    return 1;
  }
  std::vector<wchar_t> buffer(kLineBufferChars, L'\0');  // the plug-in may rewrite it
  tail.copy(buffer.data(), tail.size());
  return CallExport(pluginName, WideToUtf8(command.name).c_str(), command.entry, buffer.data());
}

// One command, read and expanded, with its streams already in place.
int RunCommand(ShellState *state, const std::wstring &text) {
  const std::size_t nameEnd = WordEnd(text, 0);
  const std::wstring name = text.substr(0, nameEnd);
  const std::wstring tail = text.substr(SkipBlanks(text, nameEnd));
  int result;
  std::wstring pluginName;
  if (RunBuiltin(state, name, tail, &result)) return result;
  if (const PluginCommand *command = state->plugins.FindCommand(name, &pluginName))
    return RunPluginCommand(*command, pluginName, tail);
  result = OsRunSystemShell(text);
  if (result < 0) ShellError(L"cannot start the system shell");
  return result < 0 ? 1 : result;
}

// The command's redirections are in place while it runs, and only then.
int RunRedirected(ShellState *state, const ShellCommand &command) {
  std::vector<std::pair<int, OsSavedStream>> saved;
  bool opened = true;
  for (const Redirection &redirection : command.redirections) {
    OsSavedStream previous;
    opened = OsRedirectStream(redirection.stream, redirection.path, redirection.append, &previous);
    if (!opened) {
      ShellError(L"cannot open " + redirection.path + L" for redirection");
      break;
    }
    saved.emplace_back(redirection.stream, previous);
  }
  const int result = opened ? RunCommand(state, command.text) : 1;
  for (auto undo = saved.rbegin(); undo != saved.rend(); ++undo)
    OsRestoreStream(undo->first, undo->second);
  return result;
}

}  // namespace

void RunLine(ShellState *state, const std::wstring &line) {
  const std::size_t start = SkipBlanks(line, 0);
  if (start == line.size()) return;
  if (EqualsIgnoringAsciiCase(std::wstring_view(line).substr(start, WordEnd(line, start) - start),
                              L"rem"))
    return;

  std::vector<ShellCommand> commands;
  std::wstring error;
  if (!ReadCommandLine(line.substr(start), &commands, &error)) {
    ShellError(error);
    state->lastResult = 1;
    return;
  }
  for (const ShellCommand &command : commands)
    if (!command.text.empty() && !state->exitRequested)
      state->lastResult = RunRedirected(state, command);
}
