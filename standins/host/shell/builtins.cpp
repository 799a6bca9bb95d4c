#include "standins/host/shell/builtins.h"

#include <cwchar>

#include "standins/common/ascii_case.h"
#include "standins/host/shell/batch_file.h"
#include "standins/host/shell/shell_messages.h"
#include "standins/host/shell/words.h"
#include "standins/host/takecmd/host_control.h"

namespace {

std::wstring TrimBlanks(const std::wstring &text) {
  const std::size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return L"";
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

std::wstring Unquoted(const std::wstring &text) {
  if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"')
    return text.substr(1, text.size() - 2);
  return text;
}

int Set(const std::wstring &tail) {
  const std::size_t equals = tail.find(L'=');
  if (equals == std::wstring::npos || HostSetEnvironment(TrimBlanks(tail.substr(0, equals)).c_str(),
                                                         tail.c_str() + equals + 1) != 0) {
    ShellError(L"usage: set NAME=VALUE");
    return 1;
  }
  return 0;
}

int Help(const ShellState &state, const std::wstring &tail) {
  const int answer = state.plugins.Help(TrimBlanks(tail));
  ShellOutput(std::to_wstring(answer) + L"\n");
  return answer != 0 ? 0 : 1;
}

int Usage(const ShellState &state, const std::wstring &tail) {
  std::wstring text;
  if (!state.plugins.Usage(TrimBlanks(tail), &text)) {
    ShellError(L"no plug-in has usage for " + TrimBlanks(tail));
    return 1;
  }
  ShellOutput(text);
  return 0;
}

int Plugin(ShellState *state, const std::wstring &tail) {
  const std::vector<std::wstring> words = SplitWords(tail);
  if (words.size() != 2 || !EqualsIgnoringAsciiCase(words[0], L"/l")) {
    ShellError(L"usage: plugin /l PATH");
    return 1;
  }
  return state->plugins.Load(Unquoted(words[1])) ? 0 : 1;
}

int Call(ShellState *state, const std::wstring &tail) {
  const std::vector<std::wstring> words = SplitWords(tail);
  if (words.size() != 1) {
    ShellError(L"usage: call BATCHFILE");
    return 1;
  }
  return RunBatchFile(state, Unquoted(words[0]));
}

int Exit(ShellState *state, const std::wstring &tail) {
  const std::wstring code = TrimBlanks(tail);
  int result = state->lastResult;
  if (!code.empty()) {
    wchar_t *end = nullptr;
    const long value = std::wcstol(code.c_str(), &end, 10);
    if (*end != L'\0' || value < -2147483647L - 1 || value > 2147483647L) {
      ShellError(L"exit needs a number, not " + code);
      return 1;
    }
    result = static_cast<int>(value);
  }
  state->exitRequested = true;
  return result;
}

int Echo(const std::wstring &tail, void (*print)(const std::wstring &)) {
  const std::wstring word = TrimBlanks(tail);
  if (EqualsIgnoringAsciiCase(word, L"off")) return 0;
  if (word.empty() || EqualsIgnoringAsciiCase(word, L"on")) {
    ShellError(L"echo on is not built into this shell");
    return 1;
  }
  print(tail + L"\n");
  return 0;
}

}  // namespace

bool RunBuiltin(ShellState *state, const std::wstring &name, const std::wstring &tail,
                int *result) {
  if (EqualsIgnoringAsciiCase(name, L"set"))
    *result = Set(tail);
  else if (EqualsIgnoringAsciiCase(name, L"help"))
    *result = Help(*state, tail);
  else if (EqualsIgnoringAsciiCase(name, L"usage"))
    *result = Usage(*state, tail);
  else if (EqualsIgnoringAsciiCase(name, L"plugin"))
    *result = Plugin(state, tail);
  else if (EqualsIgnoringAsciiCase(name, L"call"))
    *result = Call(state, tail);
  else if (EqualsIgnoringAsciiCase(name, L"exit"))
    *result = Exit(state, tail);
  else if (EqualsIgnoringAsciiCase(name, L"echo"))
    *result = Echo(tail, ShellOutput);
  else if (EqualsIgnoringAsciiCase(name, L"echoerr"))
    *result = Echo(tail, ShellErrorText);
  else
    return false;
  return true;
}
