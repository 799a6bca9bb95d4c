// What the shell keeps between lines.
#pragma once

#include <string>

#include "standins/host/shell/plugins.h"

struct ShellState {
  PluginSet plugins;
  int lastResult = 0;
  bool exitRequested = false;  // by "exit": stop, whatever is running
  int batchDepth = 0;
  // How one line runs (RunLine): a batch file's lines run as typed ones do,
  // and a batch file is itself run from a line ("call").
  void (*runLine)(ShellState *state, const std::wstring &line) = nullptr;
};

// A plug-in command's tail, and every line after expansion, fits in this many
// characters, terminator included.
constexpr int kLineBufferChars = 65536;
