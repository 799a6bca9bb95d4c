// MessageBoxW and GetForegroundWindow: no window system here; the box is
// recorded and answered with OK.
#include "standins/posix/standin_message_box.h"

namespace {

StandinMessageBoxCall LastCall;
int ForegroundToken;

void CopyBounded(wchar_t *to, const wchar_t *from, int capacity) {
  int i = 0;
  for (; from && from[i] != L'\0' && i < capacity - 1; ++i) to[i] = from[i];
  to[i] = L'\0';
}

}  // namespace

HWND StandinForegroundWindow(void) { return reinterpret_cast<HWND>(&ForegroundToken); }

HWND WINAPI GetForegroundWindow(void) { return StandinForegroundWindow(); }

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  ++LastCall.count;
  LastCall.owner = owner;
  CopyBounded(LastCall.text, text, 1024);
  CopyBounded(LastCall.caption, caption, 64);
  LastCall.type = type;
  return 1;  // IDOK
}

const StandinMessageBoxCall *StandinLastMessageBox(void) { return &LastCall; }

void StandinResetMessageBox(void) { LastCall = StandinMessageBoxCall{}; }
