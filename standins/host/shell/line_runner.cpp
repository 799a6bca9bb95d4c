#include "standins/host/shell/line_runner.h"

#include "standins/common/ascii_case.h"
#include "standins/common/utf8_text.h"
#include "standins/host/shell/builtins.h"
#include "standins/host/shell/export_call.h"
#include "standins/host/shell/shell_messages.h"
#include "standins/host/shell/shell_os.h"
#include "standins/host/shell/words.h"
#include "standins/host/takecmd/host_control.h"

namespace {

bool ExpandPart(const std::wstring &part, std::wstring *out) {
  std::vector<wchar_t> buffer(kLineBufferChars, L'\0');
  if (HostExpandText(part.c_str(), buffer.data(), kLineBufferChars) < 0) return false;
  *out += buffer.data();
  return true;
}

// Expands everything outside backquotes; an unclosed backquote protects the
// rest of the line.
bool ExpandLine(const std::wstring &line, std::wstring *expanded) {
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t open = line.find(L'`', at);
    if (!ExpandPart(line.substr(at, open == std::wstring::npos ? open : open - at), expanded))
      return false;
    if (open == std::wstring::npos) break;
    const std::size_t close = line.find(L'`', open + 1);
    const std::size_t end = close == std::wstring::npos ? line.size() : close + 1;
    expanded->append(line, open, end - open);
    at = end;
  }
  return expanded->size() < static_cast<std::size_t>(kLineBufferChars);
}

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

}  // namespace

void RunLine(ShellState *state, const std::wstring &line) {
  const std::size_t start = SkipBlanks(line, 0);
  if (start == line.size()) return;
  if (EqualsIgnoringAsciiCase(std::wstring_view(line).substr(start, WordEnd(line, start) - start),
                              L"rem"))
    return;

  std::wstring expanded;
  if (!ExpandLine(line.substr(start), &expanded)) {
    ShellError(L"the line is too long once expanded");
    state->lastResult = 1;
    return;
  }
  const std::size_t nameStart = SkipBlanks(expanded, 0);
  if (nameStart == expanded.size()) return;
  const std::size_t nameEnd = WordEnd(expanded, nameStart);
  const std::wstring name = expanded.substr(nameStart, nameEnd - nameStart);
  const std::wstring tail = expanded.substr(SkipBlanks(expanded, nameEnd));

  int result;
  std::wstring pluginName;
  if (RunBuiltin(state, name, tail, &result)) {
    state->lastResult = result;
  } else if (const PluginCommand *command = state->plugins.FindCommand(name, &pluginName)) {
    state->lastResult = RunPluginCommand(*command, pluginName, tail);
  } else {
    result = OsRunSystemShell(expanded.substr(nameStart));
    if (result < 0) ShellError(L"cannot start the system shell");
    state->lastResult = result < 0 ? 1 : result;
  }
}
