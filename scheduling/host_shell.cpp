#include "scheduling/host_shell.h"

#include "hostapi/host_services.h"
#include "hostapi/wide_text.h"

void HostShellPath(wchar_t *path) {
  ClearText(path, kHostBufferChars);
  CopyText(path, L"%_cmdspec", kHostBufferChars);
  ExpandVariables(path, 1);
}
