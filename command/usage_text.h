// The command's fixed description and syntax texts: what "tardo" alone
// prints, and what the plug-in's Help and Usage exports hand the host.
#pragma once

extern const wchar_t kTardoDescription[];
extern const wchar_t kTardoSyntax[];

// Writes the description and the syntax text to standard output.
void PrintUsage(void);
