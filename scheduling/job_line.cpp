#include "scheduling/job_line.h"

#include "hostapi/host_services.h"

namespace {

void PrintMoment(const SYSTEMTIME &moment) {
  Printf(L"[%04d-%02d-%02d %02d:%02d]", static_cast<int>(moment.wYear),
         static_cast<int>(moment.wMonth), static_cast<int>(moment.wDay),
         static_cast<int>(moment.wHour), static_cast<int>(moment.wMinute));
}

}  // namespace

void PrintConfirmation(const SYSTEMTIME &moment, const wchar_t *command) {
  PrintMoment(moment);
  Printf(L"  %s\n", command);
}

void PrintJobLine(const wchar_t *name, const SYSTEMTIME &moment, const wchar_t *folder,
                  const wchar_t *command) {
  Printf(L"%s  ", name);
  PrintMoment(moment);
  if (folder != nullptr) Printf(L"  in \"%s\"", folder);
  Printf(L"  %s\n", command);
}
