// %@regquery[HKLM\key\value]: the text a REG_SZ or REG_EXPAND_SZ value holds,
// unexpanded (as Windows stores it), through RegGetValueW. HKLM is the one
// root the plug-in reads.
#pragma once

#include <string>
#include <string_view>

// False for another root or a value that cannot be read.
bool QueryRegistryText(std::wstring_view path, std::wstring *text);
