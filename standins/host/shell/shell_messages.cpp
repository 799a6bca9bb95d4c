#include "standins/host/shell/shell_messages.h"

#include "hostapi/host_services.h"

void ShellError(const std::wstring &message) {
  Qprintf(GetStdHandle(STD_ERROR_HANDLE), L"hostshell: %s\n", message.c_str());
}

void ShellOutput(const std::wstring &text) { QPuts(text.c_str()); }

void ShellErrorText(const std::wstring &text) {
  Qprintf(GetStdHandle(STD_ERROR_HANDLE), L"%s", text.c_str());
}
