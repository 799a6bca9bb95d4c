// How the shell reads a line into commands, as the host does:
// - `back quotes`: the text inside is taken as it stands (no expansion, no
//   redirection, no separator) and the back quotes go; an unclosed back
//   quote protects the rest of the line;
// - "double quotes": variables are expanded inside, redirection and
//   separators are not seen, and the quotes stay;
// - outside quotes, > FILE, >> FILE, 2> FILE, 2>> FILE and < FILE redirect
//   the command they stand on and are no part of its text; & ends one
//   command and starts the next (the blanks typed before either go with
//   it); ^ goes and the character after it is taken as it stands;
// - everything else is expanded (variables, functions, %%).
// A pipe (|) and a conditional command (&&) are refused: this shell does
// not build them, and must not hand them on as text.
#pragma once

#include <string>
#include <vector>

struct Redirection {
  int stream;   // 0 standard input, 1 standard output, 2 standard error
  bool append;  // >> rather than >
  std::wstring path;
};

struct ShellCommand {
  std::wstring text;  // expanded, without blanks in front; may be empty
  std::vector<Redirection> redirections;
};

// False with the reason in *error, one line, when the line holds what the
// shell does not build, a redirection without a file, or a command too long
// once expanded.
bool ReadCommandLine(const std::wstring &line, std::vector<ShellCommand> *commands,
                     std::wstring *error);
