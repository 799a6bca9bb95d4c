// Load and unload: the plug-in holds nothing between calls, so there is
// nothing to set up or release; loading only announces itself.
#include "hostapi/host_services.h"
#include "hostapi/wide_text.h"
#include "plugin/exports.h"
#include "plugin/version.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

int WINAPI InitializePlugin(void) {
  wchar_t buffer[kHostBufferChars];
  ClearText(buffer, kHostBufferChars);
  CopyText(buffer, L"%[_transient]%[_pipe]%[noloadmsg]", kHostBufferChars);
  ExpandVariables(buffer, 1);
  // Only a shell that is neither transient nor in a pipe, with noloadmsg
  // unset, expands to exactly "00".
  if (buffer[0] == L'0' && buffer[1] == L'0' && buffer[2] == L'\0')
    Printf(L"Tardo v%d.%d.%d loaded.\n", kTardoMajorVersion, kTardoMinorVersion, kTardoBuild);
  return 0;
}

int WINAPI ShutdownPlugin(int) { return 0; }
