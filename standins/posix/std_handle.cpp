// GetStdHandle: the three standard streams, as handles the host can write to.
#include "standins/posix/standin_handles.h"

HANDLE WINAPI GetStdHandle(DWORD which) {
  switch (which) {
    case STD_INPUT_HANDLE:
      return StandinHandleFromFd(0);
    case STD_OUTPUT_HANDLE:
      return StandinHandleFromFd(1);
    case STD_ERROR_HANDLE:
      return StandinHandleFromFd(2);
    default:
      return INVALID_HANDLE_VALUE;
  }
}
