// Strict mode: how the host treats a result that would overrun the plug-in's
// buffers (kHostBufferChars). Strict (the default), it says so on standard
// error and aborts, so that a test sees the overrun at the call that made it.
#pragma once

#include <cstddef>

#include "hostapi/host_services.h"

constexpr std::size_t kLongestHostResult =
    kHostBufferChars - 1;  // characters, without the terminator

bool StrictMode();
void SetStrictMode(bool on);
// Returns only when strict mode is off.
void ReportOverrun(const char *service, std::size_t length);
