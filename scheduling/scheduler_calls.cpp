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

int WithScheduler(int (*work)(ITaskScheduler *scheduler, const wchar_t *argument),
                  const wchar_t *argument) {
  ITaskScheduler *scheduler = nullptr;
  const int result = CreateScheduler(&scheduler) == 0 ? work(scheduler, argument) : -1;
  // CoCreateInstance judged by its sign may hand out a scheduler either way.
  if (scheduler != nullptr) scheduler->Release();
  return result;
}
