// Small helpers for the host's tests: expanding a text the way the plug-in
// does, and the process environment seen directly, not through the host.
#pragma once

#include <string>

#include "hostapi/host_services.h"

inline std::wstring Expanded(const std::wstring &text) {
  static wchar_t buffer[kHostBufferChars];
  if (text.size() >= kHostBufferChars) return L"(the test's text does not fit a host buffer)";
  text.copy(buffer, text.size());
  buffer[text.size()] = L'\0';
  ExpandVariables(buffer, 1);
  return buffer;
}

// True when the environment has the variable; its value in *value.
bool EnvironmentValue(const wchar_t *name, std::wstring *value);
void SetEnvironment(const wchar_t *name, const wchar_t *value);  // null removes
