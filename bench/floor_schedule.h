// Registers one job the way tardo does, with fixed values (floor_schedule.cpp).
// COM must have been started on the calling thread. Returns 0, or 2 when a
// call fails (its name and code on standard error). Windows only.
#pragma once

#include <windows.h>

int FloorSchedule(unsigned int number);
