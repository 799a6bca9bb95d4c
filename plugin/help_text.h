// The command's fixed description and syntax texts.
#pragma once

extern const wchar_t kTardoDescription[];
extern const wchar_t kTardoSyntax[];
constexpr int kUsageBufferChars = 1024;

// Writes the description and the syntax text to standard output.
void PrintUsage(void);
