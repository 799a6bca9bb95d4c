// One command line: a comment (rem) is passed over; anything else is read
// as the host reads it (command_line.h), and each of its commands runs in
// turn, with its redirections, as a built-in, a plug-in command or with the
// system shell. The last command's result becomes the shell's last result;
// blank lines and comments leave it alone.
#pragma once

#include <string>

#include "standins/host/shell/shell_state.h"

void RunLine(ShellState *state, const std::wstring &line);
