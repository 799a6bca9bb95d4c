#include "scheduling/host_shell.h"

#include "hostapi/host_services.h"
#include "hostapi/wide_text.h"
#include "scheduling/path_parts.h"

void HostShellPath(wchar_t *path) {
  ClearText(path, kHostBufferChars);
  CopyText(path, L"%_cmdspec", kHostBufferChars);
  ExpandVariables(path, 1);
}

void HostShellFolder(wchar_t *folder) {
  wchar_t path[kHostBufferChars];
  HostShellPath(path);
  ClearText(folder, kHostBufferChars);
  DirectoryPart(folder, path);
}
