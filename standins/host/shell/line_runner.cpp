#include "standins/host/shell/line_runner.h"

#include "standins/common/ascii_case.h"
#include "standins/common/utf8_text.h"
#include "standins/host/shell/builtins.h"
#include "standins/host/shell/command_line.h"
#include "standins/host/shell/export_call.h"
#include "standins/host/shell/shell_messages.h"
#include "standins/host/shell/shell_os.h"
#include "standins/host/shell/words.h"
#include "standins/host/takecmd/host_control.h"

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

// One command, read and expanded, with its streams already in place;
// *external is set when the system shell ran it.
int RunCommand(ShellState *state, const std::wstring &text, bool *external) {
  const std::size_t nameEnd = WordEnd(text, 0);
  const std::wstring name = text.substr(0, nameEnd);
  const std::wstring tail = text.substr(SkipBlanks(text, nameEnd));
  int result;
  std::wstring pluginName;
  if (RunBuiltin(state, name, tail, &result)) return result;
  if (const PluginCommand *command = state->plugins.FindCommand(name, &pluginName))
    return RunPluginCommand(*command, pluginName, tail);
  *external = true;
  result = OsRunSystemShell(text);
  if (result < 0) ShellError(L"cannot start the system shell");
  return result < 0 ? 1 : result;
}

// The command's redirections are in place while it runs, and only then. A
// file that cannot be opened is reported once the streams are back.
int RunRedirected(ShellState *state, const ShellCommand &command, bool *external) {
  std::vector<std::pair<int, OsSavedStream>> saved;
  const Redirection *failed = nullptr;
  for (const Redirection &redirection : command.redirections) {
    OsSavedStream previous;
    if (!OsRedirectStream(redirection.stream, redirection.path, redirection.append, &previous)) {
      failed = &redirection;
      break;
    }
    saved.emplace_back(redirection.stream, previous);
    if (!redirection.errorsToo) continue;
    if (!OsShareOutput(&previous)) {
      failed = &redirection;
      break;
    }
    saved.emplace_back(2, previous);
  }
  const int result = failed ? 1 : RunCommand(state, command.text, external);
  for (auto undo = saved.rbegin(); undo != saved.rend(); ++undo)
    OsRestoreStream(undo->first, undo->second);
  if (failed) ShellError(L"cannot open " + failed->path + L" for redirection");
  return result;
}

// The shell's last result, and %? or %_? by what gave it.
void Record(ShellState *state, int result, bool external) {
  state->lastResult = result;
  HostSetVariable(external ? L"?" : L"_?", std::to_wstring(result).c_str());
}

// Reads one command and runs it; false when it could not be read, which
// ends the line.
bool RunText(ShellState *state, const std::wstring &text) {
  ShellCommand command;
  std::wstring error;
  if (!ReadCommand(text, &command, &error)) {
    ShellError(error);
    Record(state, 1, false);
    return false;
  }
  if (command.text.empty()) return true;
  bool external = false;
  const int result = RunRedirected(state, command, &external);
  Record(state, result, external);
  return true;
}

bool IsComment(const std::wstring &line, std::size_t at) {
  return EqualsIgnoringAsciiCase(std::wstring_view(line).substr(at, WordEnd(line, at) - at),
                                 L"rem");
}

}  // namespace

void RunLine(ShellState *state, const std::wstring &line) {
  Next next = Next::kAlways;
  for (std::size_t at = SkipBlanks(line, 0); at < line.size() && !state->exitRequested;
       at = SkipBlanks(line, at)) {
    if (line[at] == L'@') at = SkipBlanks(line, at + 1);  // it hides an echo; none is shown here
    if (IsComment(line, at)) return;
    const CommandSpan span = CommandAt(line, at);
    if (span.next == Next::kPipe) {
      ShellError(L"pipes (|) are not built into this shell");
      Record(state, 1, false);
      return;
    }
    const bool runs =
        next == Next::kAlways || (next == Next::kIfSucceeded) == (state->lastResult == 0);
    if (runs && !RunText(state, line.substr(at, span.end - at))) return;
    next = span.next;
    at = span.nextAt;
  }
}
