// How the shell reads a line, as the host does: it takes the first command
// off the line (CommandAt), reads it (ReadCommand) and runs it, then the
// next, so that each command is expanded just before it runs and sees what
// the ones before it have set.
// - `back quotes`: the text inside is taken as it stands (no expansion, no
//   redirection, no separator) and the back quotes go; an unclosed back
//   quote protects the rest of the line;
// - "double quotes": variables are expanded inside, redirection and
//   separators are not seen, and the quotes stay;
// - ^ goes and the character after it is taken as it stands, but for the
//   host's character codes ^b ^c ^e ^f ^k ^n ^q ^r ^s ^t: backspace, comma,
//   escape, form feed, back quote, line feed, double quote, carriage return,
//   space and tab;
// - outside quotes, a command ends at & (the next one runs), && (the next
//   one runs when this one gave 0) or || (when it did not), and the blanks
//   typed before them go with them; | is a pipe;
// - < FILE, > FILE, >> FILE, 2> FILE, 2>> FILE, >& FILE and >>& FILE
//   (output and errors) and >&> FILE (errors only) redirect the command
//   they stand on and are no part of its text; a ! after the operator (>!)
//   writes past NoClobber, which this shell does not keep;
// - everything else is expanded (variables, functions, %%).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

enum class Next { kAlways, kIfSucceeded, kIfFailed, kPipe };

struct CommandSpan {
  std::size_t end;     // the command is line[at, end)
  Next next;           // how the command after it runs
  std::size_t nextAt;  // where that command starts
};

CommandSpan CommandAt(const std::wstring &line, std::size_t at);

struct Redirection {
  int stream;      // 0 standard input, 1 standard output, 2 standard error
  bool append;     // >> rather than >
  bool errorsToo;  // >& and >>&: standard error goes where standard output goes
  std::wstring path;
};

struct ShellCommand {
  std::wstring text;  // expanded, without blanks in front; may be empty
  std::vector<Redirection> redirections;
};

// One command's text as CommandAt found it. False with the reason in
// *error, one line, for a redirection without a file or a command too long
// once expanded.
bool ReadCommand(const std::wstring &text, ShellCommand *command, std::wstring *error);
