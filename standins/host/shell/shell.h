// hostshell: a small command processor that loads plug-ins the way the host
// does, initialises COM on its thread and runs lines: a /c line, a batch
// file or standard input.
//
//   hostshell [--plugin PATH]... [--set NAME=VALUE]... [/c LINE... | BATCHFILE]
//
// Its exit code is the result of the last command (or the N of "exit N").
#pragma once

#include <string>
#include <vector>

// The arguments without the program name.
int RunShell(const std::vector<std::wstring> &arguments);
