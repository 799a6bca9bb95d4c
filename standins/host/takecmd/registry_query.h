// %@regquery[ROOT\key\value]: the text a REG_SZ or REG_EXPAND_SZ value holds,
// unexpanded (as Windows stores it), through RegGetValueW.
#pragma once

#include <string>
#include <string_view>

// False when the root is unknown or the value cannot be read.
bool QueryRegistryText(std::wstring_view path, std::wstring *text);
