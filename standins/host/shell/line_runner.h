// One command line, read as the host reads it (command_line.h): a command
// at a time, each read and expanded just before it runs, with its
// redirections, as a built-in, a plug-in command or with the system shell;
// after && or || only when the last result says so. An @ before a command
// goes (it hides a batch line's echo, and this shell echoes none); rem
// makes the rest of the line a comment. Each command's result becomes the
// shell's last result and %_? (a built-in's or plug-in's) or %? (an
// external program's); blank lines and comments leave them alone. A pipe is
// refused with one line: this shell does not build one, and must not hand
// it on as text.
#pragma once

#include <string>

#include "standins/host/shell/shell_state.h"

void RunLine(ShellState *state, const std::wstring &line);
