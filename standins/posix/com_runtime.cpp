// COM as far as the plug-in uses it: initialisation per thread,
// CoCreateInstance of the one in-process class there is, the Task Scheduler,
// and the task allocator that hands out the scheduler's texts.
#include <cstdlib>

#include "standins/posix/standin_scheduler.h"
#include "standins/posix/standin_task_objects.h"

extern "C" {
const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const CLSID CLSID_CTaskScheduler = {
    0x148BD52A, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
const IID IID_ITaskScheduler = {
    0x148BD527, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
const CLSID CLSID_CTask = {
    0x148BD520, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
const IID IID_ITask = {
    0x148BD524, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
const IID IID_IScheduledWorkItem = {
    0xA6B952F0, 0xA4B1, 0x11D0, {0x99, 0x7D, 0x00, 0xAA, 0x00, 0x68, 0x87, 0xEC}};
const IID IID_ITaskTrigger = {
    0x148BD52B, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
const IID IID_IEnumWorkItems = {
    0x148BD528, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
}

namespace {

thread_local int InitCount = 0;
int TaskMemoryBlocks = 0;

}  // namespace

int StandinComInitCount(void) { return InitCount; }

int StandinTaskMemoryBlocks(void) { return TaskMemoryBlocks; }

LPVOID WINAPI CoTaskMemAlloc(SIZE_T size) {
  void *block = std::malloc(size != 0 ? size : 1);
  if (block) ++TaskMemoryBlocks;
  return block;
}

void WINAPI CoTaskMemFree(LPVOID block) {
  if (!block) return;
  --TaskMemoryBlocks;
  std::free(block);
}

HRESULT WINAPI CoInitializeEx(LPVOID, DWORD) { return InitCount++ == 0 ? S_OK : S_FALSE; }

void WINAPI CoUninitialize(void) {
  if (InitCount > 0) --InitCount;
}

HRESULT WINAPI CoCreateInstance(REFCLSID clsid, IUnknown *outer, DWORD context, REFIID riid,
                                LPVOID *object) {
  StandinLogSchedulerCall("CoCreateInstance");
  if (!object) return kStandinPointer;
  *object = nullptr;
  HRESULT code = S_OK;
  if (StandinInjectedResult("CoCreateInstance", &code)) {
    if (code < 0) return code;
    const HRESULT made = StandinNewScheduler(IID_ITaskScheduler, object);
    return made == S_OK ? code : made;
  }
  if (InitCount == 0) return CO_E_NOTINITIALIZED;
  if (!(clsid == CLSID_CTaskScheduler) || !(context & CLSCTX_INPROC_SERVER))
    return REGDB_E_CLASSNOTREG;
  if (outer) return static_cast<HRESULT>(0x80040110);  // CLASS_E_NOAGGREGATION
  return StandinNewScheduler(riid, object);
}
