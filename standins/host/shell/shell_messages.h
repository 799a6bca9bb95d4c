// The shell's own lines: errors as "hostshell: ..." on standard error,
// through the host's output service so that they keep their order with
// everything the plug-ins write.
#pragma once

#include <string>

void ShellError(const std::wstring &message);
void ShellOutput(const std::wstring &text);
// Text for standard error as it stands, without the prefix.
void ShellErrorText(const std::wstring &text);
