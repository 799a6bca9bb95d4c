// The one window onto the operating system for the plug-in's code.
// On Windows it is the SDK; elsewhere the POSIX stand-ins declare the same
// names and types, so the plug-in's code never needs a platform test of its own.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <mstask.h>
#include <windows.h>
#else
#include "standins/posix/windows_api.h"
#endif
