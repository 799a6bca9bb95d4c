// A library that stands where the plug-in stands and allocates on purpose,
// so that the counter is seen to count what a plug-in allocates itself and
// to leave to the host what the host allocates while serving it.
#include <cstdlib>
#include <string>

#include "hostapi/host_services.h"

namespace {

// Kept in a volatile so the compiler cannot drop an allocation that is
// freed again at once.
void *volatile Kept;

}  // namespace

extern "C" {
void ProbeMalloc(void) {
  Kept = std::malloc(24);
  std::free(Kept);
}

void ProbeNew(void) {
  Kept = new int[6];
  delete[] static_cast<int *>(Kept);
}

void ProbeString(void) {
  const std::wstring text(100, L'x');
  Kept = const_cast<wchar_t *>(text.c_str());
}

// The host formats into a text of its own: that allocation is the host's.
void ProbeHostService(void) {
  wchar_t buffer[kHostBufferChars];
  Sprintf(buffer, L"%s", L"a text much longer than any short-string buffer");
}
}
