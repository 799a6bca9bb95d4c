// The shell's own commands, matched ignoring ASCII case:
//   set NAME=VALUE      sets an environment variable, whatever its name (an empty value unsets)
//   help NAME           asks the plug-ins' Help exports; prints the answer (0: none)
//   usage NAME          prints a plug-in's Usage text
//   plugin /l PATH      loads a plug-in now
//   call FILE           runs a batch file, one level deeper
//   exit [N]            ends the shell with N (default: the last result)
//   echo TEXT           prints the text and a line end; echoerr TEXT, to standard error.
//                       The shell shows no batch line, so echo off is kept as it is and
//                       echo on, or echo alone, is refused
#pragma once

#include <string>

#include "standins/host/shell/shell_state.h"

// False when name is no built-in; otherwise the command's result in *result.
bool RunBuiltin(ShellState *state, const std::wstring &name, const std::wstring &tail, int *result);
