#include "scheduling/scheduler_calls.h"

#include "hostapi/report_error.h"

bool Accepted(HRESULT result, const wchar_t *message) {
  if (result == S_OK) return true;
  ReportErrorNumber(message, static_cast<int>(result));
  return false;
}

int CreateScheduler(ITaskScheduler **scheduler) {
  const HRESULT created =
      CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                       reinterpret_cast<void **>(scheduler));
  if (FAILED(created)) {
    ReportErrorNumber(L"CoCreateInstance() returned: 0x%x", static_cast<int>(created));
    return -1;
  }
  return 0;
}
