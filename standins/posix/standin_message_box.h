// Test view of the stand-in message box: it shows nothing and answers OK at
// once, keeping what it was asked to show.
#pragma once

#include <windows.h>

struct StandinMessageBoxCall {
  int count;  // calls since the last reset
  HWND owner;
  wchar_t text[1024];  // cut short if longer
  wchar_t caption[64];
  UINT type;
};

extern "C" {
const StandinMessageBoxCall *StandinLastMessageBox(void);
void StandinResetMessageBox(void);
// The window GetForegroundWindow reports.
HWND StandinForegroundWindow(void);
}
