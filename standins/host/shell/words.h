// Words of a command line: blanks are space, tab, CR and LF.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

bool IsBlank(wchar_t c);
// The first position from at on that is not a blank.
std::size_t SkipBlanks(const std::wstring &text, std::size_t at);
// The first blank from at on (the end of the word there).
std::size_t WordEnd(const std::wstring &text, std::size_t at);
// Splits on blanks; double quotes group words and are kept.
std::vector<std::wstring> SplitWords(const std::wstring &text);
