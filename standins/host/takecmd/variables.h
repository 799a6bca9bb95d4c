// The host's variables: an internal table for names beginning with '_'
// (shadowing the environment, names compared ignoring ASCII case), with
// _cwd, _date and _time read afresh each time, and the process environment
// for every other name.
#pragma once

#include <string>
#include <string_view>

bool LookupVariable(std::wstring_view name, std::wstring *value);
// An empty value unsets. Returns false for a name the host cannot hold.
bool SetVariable(std::wstring_view name, std::wstring_view value);
