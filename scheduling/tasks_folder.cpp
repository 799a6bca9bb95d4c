#include "scheduling/tasks_folder.h"

#include "hostapi/host_services.h"
#include "hostapi/report_error.h"
#include "hostapi/wide_text.h"

static_assert(kLongestTasksFolder + 1 + 18 == kHostBufferChars - 1);

int FindTasksFolder(wchar_t *folder) {
  ClearText(folder, kHostBufferChars);
  CopyText(folder, L"%@regquery[HKLM\\SOFTWARE\\Microsoft\\SchedulingAgent\\TasksFolder]",
           kHostBufferChars);
  // The first pass reads the value; the second expands the variables that
  // the stored text holds, such as %SystemRoot%.
  ExpandVariables(folder, 1);
  ExpandVariables(folder, 1);
  if (folder[0] == L'\0' || EqualsIgnoringCase(folder, L"-1") || QueryIsDirectory(folder) == 0 ||
      TextLength(folder) > kLongestTasksFolder) {
    ReportError(L"Can't find Tasks folder!");
    return -1;
  }
  return 0;
}
