// How the stand-in GetStdHandle encodes a standard stream, so that the host's
// output services can write to the handle the plug-in passes them.
#pragma once

#include <cstdint>

#include <windows.h>

inline HANDLE StandinHandleFromFd(int fd) {
  return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd) + 1);
}

// -1 for a handle that is not a standard stream.
inline int StandinFdFromHandle(HANDLE handle) {
  const std::intptr_t value = reinterpret_cast<std::intptr_t>(handle) - 1;
  return (value >= 0 && value <= 2) ? static_cast<int>(value) : -1;
}
