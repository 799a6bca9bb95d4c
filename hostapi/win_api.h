// The one window onto the operating system for the plug-in's code: the
// platform's own headers. Off Windows the native build finds the POSIX
// stand-ins' headers under these names first on its include path, so the
// plug-in's code never needs a platform test of its own.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <mstask.h>
#include <windows.h>
