// The host's variables: an internal table for names beginning with '_' and
// for ? (names compared ignoring ASCII case), with _cwd, _date and _time read
// afresh each time, and the process environment, which every other name
// lives in. An environment variable wins over an internal one of its name.
#pragma once

#include <string>
#include <string_view>

bool LookupVariable(std::wstring_view name, std::wstring *value);
// An empty value unsets. Returns false for a name the host cannot hold.
// SetVariable stores an internal name in the table, SetEnvironment any name
// in the environment (as the SET command does).
bool SetVariable(std::wstring_view name, std::wstring_view value);
bool SetEnvironment(std::wstring_view name, std::wstring_view value);
