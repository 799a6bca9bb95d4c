#include "standins/host/shell/command_line.h"

#include "standins/host/shell/shell_state.h"
#include "standins/host/shell/words.h"
#include "standins/host/takecmd/host_control.h"

namespace {

// Text as it is read: what is read outside back quotes waits in pending and
// is expanded as one piece when something literal follows or the text ends,
// so that a reference is never cut off or made up across a quoted part.
struct Text {
  std::wstring value;
  std::wstring pending;
  bool tooLong = false;

  void Expandable(std::wstring_view text) { pending += text; }
  // The blanks typed before a redirection or a separator go with it.
  void DropTrailingBlanks() {
    while (!pending.empty() && IsBlank(pending.back())) pending.pop_back();
  }
  void Literal(std::wstring_view text) {
    Expand();
    value += text;
  }
  void Expand() {
    if (pending.empty()) return;
    std::vector<wchar_t> buffer(kLineBufferChars, L'\0');
    if (HostExpandText(pending.c_str(), buffer.data(), kLineBufferChars) < 0) tooLong = true;
    value += buffer.data();
    pending.clear();
  }
  // The whole text, expanded; false when it does not fit a line.
  bool Finish() {
    Expand();
    return !tooLong && value.size() < static_cast<std::size_t>(kLineBufferChars);
  }
};

bool IsSpecial(wchar_t c) { return c == L'<' || c == L'>' || c == L'&' || c == L'|'; }

// Reads the quoted part, escaped character or plain character at line[at]
// into text; returns where the line goes on. Double quotes stay in a
// command's text and go from a file name.
std::size_t ReadPart(const std::wstring &line, std::size_t at, Text *text, bool keepQuotes) {
  const wchar_t c = line[at];
  if (c == L'`' || c == L'"') {
    const std::size_t close = line.find(c, at + 1);
    const std::size_t inner = close == std::wstring::npos ? line.size() - at - 1 : close - at - 1;
    const std::size_t end = close == std::wstring::npos ? line.size() : close + 1;
    if (c == L'`')
      text->Literal(std::wstring_view(line).substr(at + 1, inner));
    else if (keepQuotes)
      text->Expandable(std::wstring_view(line).substr(at, end - at));
    else
      text->Expandable(std::wstring_view(line).substr(at + 1, inner));
    return end;
  }
  if (c == L'^') {
    if (at + 1 == line.size()) return at + 1;
    text->Literal(std::wstring_view(line).substr(at + 1, 1));
    return at + 2;
  }
  text->Expandable(std::wstring_view(line).substr(at, 1));
  return at + 1;
}

// The length of a redirection operator at line[at] (0: none there) and its
// stream. A 2 counts only where a word starts, so that "echo a2>f" sends "a2".
std::size_t RedirectionAt(const std::wstring &line, std::size_t at, Redirection *redirection) {
  std::size_t length = 0;
  redirection->stream = 1;
  if (line[at] == L'<') {
    redirection->stream = 0;
    length = 1;
  } else if (line[at] == L'>') {
    length = 1;
  } else if (line[at] == L'2' && at + 1 < line.size() && line[at + 1] == L'>' &&
             (at == 0 || IsBlank(line[at - 1]))) {
    redirection->stream = 2;
    length = 2;
  }
  redirection->append = false;
  if (length > 0 && redirection->stream != 0 && at + length < line.size() &&
      line[at + length] == L'>') {
    redirection->append = true;
    ++length;
  }
  return length;
}

bool Refuse(std::wstring *error, const std::wstring &reason) {
  *error = reason;
  return false;
}

bool FinishCommand(Text *text, std::vector<ShellCommand> *commands, std::wstring *error) {
  if (!text->Finish()) return Refuse(error, L"the line is too long once expanded");
  commands->back().text = text->value.substr(SkipBlanks(text->value, 0));
  *text = Text();
  return true;
}

}  // namespace

bool ReadCommandLine(const std::wstring &line, std::vector<ShellCommand> *commands,
                     std::wstring *error) {
  commands->assign(1, ShellCommand());
  Text text;
  std::size_t at = 0;
  while (at < line.size()) {
    if (line[at] == L'|') return Refuse(error, L"pipes (|) are not built into this shell");
    if (line[at] == L'&') {
      if (at + 1 < line.size() && line[at + 1] == L'&')
        return Refuse(error, L"conditional commands (&&) are not built into this shell");
      text.DropTrailingBlanks();
      if (!FinishCommand(&text, commands, error)) return false;
      commands->emplace_back();
      at = SkipBlanks(line, at + 1);
      continue;
    }
    Redirection redirection;
    const std::size_t length = RedirectionAt(line, at, &redirection);
    if (length == 0) {
      at = ReadPart(line, at, &text, true);
      continue;
    }
    const std::wstring operation = line.substr(at, length);
    text.DropTrailingBlanks();
    Text path;
    for (at = SkipBlanks(line, at + length);
         at < line.size() && !IsBlank(line[at]) && !IsSpecial(line[at]);)
      at = ReadPart(line, at, &path, false);
    if (!path.Finish()) return Refuse(error, L"the line is too long once expanded");
    if (path.value.empty()) return Refuse(error, L"no file name after " + operation);
    redirection.path = path.value;
    commands->back().redirections.push_back(redirection);
  }
  return FinishCommand(&text, commands, error);
}
