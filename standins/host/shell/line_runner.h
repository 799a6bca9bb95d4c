// One command line: a comment (rem) is passed over, anything else expanded
// (text inside backquotes is left as it is, backquotes included), then run
// as a built-in, a plug-in command or with the system shell. The result
// becomes the shell's last result; blank lines and comments leave it alone.
#pragma once

#include <string>

#include "standins/host/shell/shell_state.h"

void RunLine(ShellState *state, const std::wstring &line);
