// One pass of variable expansion over a text:
//   %name%, %name   a variable (name: ASCII letters, digits, '_'; not set: nothing)
//   %?, %_?         the last external program's exit code, the last internal command's result
//   %[name]         a variable, the name ending at ']'
//   %@name[args]    a variable function; args are expanded first
//   %%              one percent sign
// A '%' that starts none of these stays as it is. Values are not expanded
// again: a stored text that itself holds references needs a second pass.
#pragma once

#include <string>
#include <string_view>

std::wstring ExpandText(std::wstring_view text);
