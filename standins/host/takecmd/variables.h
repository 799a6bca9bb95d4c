// The host's variables: an internal table for names beginning with '_'
// (shadowing the environment, names compared ignoring ASCII case), the
// process environment for every other name, and the batch parameters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

bool LookupVariable(std::wstring_view name, std::wstring *value);
// An empty value unsets. Returns false for a name the host cannot hold.
bool SetVariable(std::wstring_view name, std::wstring_view value);

void SetArguments(std::vector<std::wstring> arguments);
// %0, %1, ...: an argument that was not given is empty.
std::wstring Argument(std::size_t index);
// %*: every argument after %0, separated by one blank.
std::wstring AllArguments();
