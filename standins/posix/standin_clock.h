// Test control of the stand-in GetLocalTime. The clock is the real local
// time unless it is fixed, here or by STANDIN_LOCALTIME="YYYY-MM-DD hh:mm:ss"
// in the environment.
#pragma once

#include <windows.h>

extern "C" {
// Fixes the clock at *time; a null pointer returns it to the real clock.
void StandinSetLocalTime(const SYSTEMTIME *time);
}
