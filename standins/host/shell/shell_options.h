// The shell program's command line.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct ShellOptions {
  std::vector<std::wstring> plugins;                            // --plugin PATH, in order
  std::vector<std::pair<std::wstring, std::wstring>> settings;  // --set NAME=VALUE, in order
  bool transient = false;                                       // /c was given
  std::wstring commandLine;                                     // the text after /c
  std::wstring batchFile;                                       // BATCHFILE, empty when none
};

// Returns false with the reason in *error for a command line it cannot use.
bool ParseShellOptions(const std::vector<std::wstring> &arguments, ShellOptions *options,
                       std::wstring *error);

extern const wchar_t kShellUsage[];
