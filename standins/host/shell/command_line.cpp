#include "standins/host/shell/command_line.h"

#include <string_view>

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
  // The blanks typed before a redirection go with it.
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

// Where the quoted part, escaped character or plain character at line[at] ends.
std::size_t PartEnd(const std::wstring &line, std::size_t at) {
  const wchar_t c = line[at];
  if (c == L'`' || c == L'"') {
    const std::size_t close = line.find(c, at + 1);
    return close == std::wstring::npos ? line.size() : close + 1;
  }
  if (c == L'^' && at + 1 < line.size()) return at + 2;
  return at + 1;
}

// The character ^ and c stand for.
wchar_t Escaped(wchar_t c) {
  constexpr std::wstring_view kCodes = L"bcefknqrst";
  constexpr std::wstring_view kCharacters = L"\b,\x1b\f`\n\"\r \t";
  const std::size_t code = kCodes.find(c);
  return code == std::wstring_view::npos ? c : kCharacters[code];
}

// Reads the part at line[at] into text; returns where the line goes on.
// Double quotes stay in a command's text and go from a file name.
std::size_t ReadPart(const std::wstring &line, std::size_t at, Text *text, bool keepQuotes) {
  const std::size_t end = PartEnd(line, at);
  const std::wstring_view part = std::wstring_view(line).substr(at, end - at);
  if (part[0] == L'^') {
    if (part.size() == 2) text->Literal(std::wstring(1, Escaped(part[1])));  // a lone ^ goes
  } else if (part[0] == L'`' || (part[0] == L'"' && !keepQuotes)) {
    const bool closed = part.size() > 1 && part.back() == part[0];
    const std::wstring_view inner = part.substr(1, part.size() - 1 - (closed ? 1 : 0));
    if (part[0] == L'`')
      text->Literal(inner);
    else
      text->Expandable(inner);
  } else {
    text->Expandable(part);  // one character, or double quotes with their text
  }
  return end;
}

bool At(const std::wstring &line, std::size_t at, wchar_t c) {
  return at < line.size() && line[at] == c;
}

// The length of a redirection operator at line[at] (0: none there) and what
// it redirects. A 2 counts only where a word starts, so that "echo a2>f"
// sends "a2".
std::size_t RedirectionAt(const std::wstring &line, std::size_t at, Redirection *redirection) {
  *redirection = Redirection{1, false, false, {}};
  if (line[at] == L'<') {
    redirection->stream = 0;
    return 1;
  }
  std::size_t end = at;
  if (line[at] == L'2' && At(line, at + 1, L'>') && (at == 0 || IsBlank(line[at - 1]))) {
    redirection->stream = 2;
    ++end;
  } else if (line[at] != L'>') {
    return 0;
  }
  ++end;  // the '>'
  if (At(line, end, L'>')) {
    redirection->append = true;
    ++end;
  }
  if (redirection->stream == 1 && At(line, end, L'&')) {
    ++end;
    if (!redirection->append && At(line, end, L'>')) {  // >&>
      redirection->stream = 2;
      ++end;
    } else {
      redirection->errorsToo = true;
    }
  }
  if (At(line, end, L'!')) ++end;  // past NoClobber, which this shell does not keep
  return end - at;
}

bool Refuse(std::wstring *error, const std::wstring &reason) {
  *error = reason;
  return false;
}

}  // namespace

CommandSpan CommandAt(const std::wstring &line, std::size_t at) {
  std::size_t end = at;  // after the last part that is no blank
  Redirection unused;
  while (at < line.size()) {
    const wchar_t c = line[at];
    if (c == L'&' || c == L'|') {
      const bool doubled = At(line, at + 1, c);
      const Next next = c == L'&' ? (doubled ? Next::kIfSucceeded : Next::kAlways)
                                  : (doubled ? Next::kIfFailed : Next::kPipe);
      return {end, next, at + (doubled ? 2 : 1)};
    }
    const std::size_t length = RedirectionAt(line, at, &unused);
    at = length > 0 ? at + length : PartEnd(line, at);
    if (!IsBlank(c)) end = at;
  }
  return {line.size(), Next::kAlways, line.size()};
}

bool ReadCommand(const std::wstring &line, ShellCommand *command, std::wstring *error) {
  *command = ShellCommand();
  Text text;
  std::size_t at = 0;
  while (at < line.size()) {
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
         at < line.size() && !IsBlank(line[at]) && line[at] != L'<' && line[at] != L'>';)
      at = ReadPart(line, at, &path, false);
    if (!path.Finish()) return Refuse(error, L"the line is too long once expanded");
    if (path.value.empty()) return Refuse(error, L"no file name after " + operation);
    redirection.path = path.value;
    command->redirections.push_back(redirection);
  }
  if (!text.Finish()) return Refuse(error, L"the line is too long once expanded");
  command->text = text.value.substr(SkipBlanks(text.value, 0));
  return true;
}
