// job_reader NAME: prints the Task Scheduler job NAME, read back through the
// Task Scheduler 1.0 interfaces, as a job record (standin_job_record.h) on
// standard output, in UTF-8. Exit status 0; 1 when the job cannot be read
// (the failing call and its code on standard error); 2 for a bad command
// line. Windows only.
#include <mstask.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "standins/common/utf8_text.h"
#include "standins/posix/standin_job_record.h"

namespace {

void Write(HANDLE handle, const std::string &bytes) {
  DWORD written = 0;
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int Fail(const char *call, HRESULT code) {
  char line[96];
  std::snprintf(line, sizeof line, "%s() returned: 0x%08lx\n", call,
                static_cast<unsigned long>(code));
  Write(GetStdHandle(STD_ERROR_HANDLE), line);
  return 1;
}

// A text the task hands out (and the caller frees), as a field, and its
// failure code as another.
void AddText(const char *key, HRESULT result, LPWSTR text, RecordFields *fields) {
  fields->emplace_back(key, WideToUtf8(SUCCEEDED(result) && text ? text : L""));
  if (FAILED(result)) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lx", static_cast<unsigned long>(result));
    fields->emplace_back(std::string(key) + "Error", code);
  }
  if (SUCCEEDED(result)) CoTaskMemFree(text);
}

int Read(ITaskScheduler *scheduler, const wchar_t *name) {
  ITask *task = nullptr;
  HRESULT result = scheduler->Activate(name, IID_ITask, reinterpret_cast<IUnknown **>(&task));
  if (FAILED(result)) return Fail("Activate", result);

  RecordFields record = {{"Name", WideToUtf8(name)}};
  LPWSTR text = nullptr;
  result = task->GetApplicationName(&text);
  AddText("Application", result, text, &record);
  result = task->GetParameters(&text);
  AddText("Parameters", result, text, &record);
  result = task->GetWorkingDirectory(&text);
  AddText("WorkingDirectory", result, text, &record);
  result = task->GetAccountInformation(&text);
  AddText("Account", result, text, &record);

  DWORD flags = 0;
  WORD count = 0;
  char line[16];
  if (FAILED(result = task->GetFlags(&flags))) {
    task->Release();
    return Fail("GetFlags", result);
  }
  if (FAILED(result = task->GetTriggerCount(&count))) {
    task->Release();
    return Fail("GetTriggerCount", result);
  }
  std::snprintf(line, sizeof line, "0x%08lx", static_cast<unsigned long>(flags));
  record.emplace_back("Flags", line);
  record.emplace_back("TriggerCount", std::to_string(count));
  for (WORD i = 0; i < count; ++i) {
    ITaskTrigger *trigger = nullptr;
    if (FAILED(result = task->GetTrigger(i, &trigger))) {
      task->Release();
      return Fail("GetTrigger", result);
    }
    TASK_TRIGGER fields;
    ZeroMemory(&fields, sizeof fields);
    fields.cbTriggerSize = sizeof fields;
    result = trigger->GetTrigger(&fields);
    trigger->Release();
    if (FAILED(result)) {
      task->Release();
      return Fail("ITaskTrigger::GetTrigger", result);
    }
    AddTriggerFields(i, fields, &record);
  }
  task->Release();
  Write(GetStdHandle(STD_OUTPUT_HANDLE), FormatRecord(record));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc != 2) {
    Write(GetStdHandle(STD_ERROR_HANDLE), "usage: job_reader NAME\n");
    return 2;
  }
  HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(result)) return Fail("CoInitializeEx", result);
  ITaskScheduler *scheduler = nullptr;
  result = CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                            reinterpret_cast<void **>(&scheduler));
  int status;
  if (FAILED(result)) {
    status = Fail("CoCreateInstance", result);
  } else {
    status = Read(scheduler, argv[1]);
    scheduler->Release();
  }
  CoUninitialize();
  return status;
}
