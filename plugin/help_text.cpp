// The Help and Usage exports: the command's texts, as the host asks for them.
#include "command/usage_text.h"
#include "hostapi/host_services.h"
#include "hostapi/wide_text.h"
#include "plugin/exports.h"

namespace {

const wchar_t kCommandName[] = L"tardo";

}  // namespace

int WINAPI Help(wchar_t *name) {
  if (!EqualsIgnoringCase(name, kCommandName)) return 0;
  wchar_t text[kHostBufferChars];
  ClearText(text, kHostBufferChars);
  CopyText(text, kTardoDescription, kHostBufferChars);
  AppendText(text, kTardoSyntax, kHostBufferChars);
  MessageBoxW(GetForegroundWindow(), text, L"Tardo Help", MB_OK);
  return 1;
}

int WINAPI Usage(wchar_t *name, wchar_t *buffer) {
  if (!EqualsIgnoringCase(name, kCommandName)) return 0;
  CopyText(buffer, kTardoSyntax, kUsageBufferChars);
  return 1;
}
