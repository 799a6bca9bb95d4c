#include "standins/host/takecmd/strict_mode.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "standins/host/takecmd/host_os.h"

namespace {

int Strict = -1;  // -1: not yet read from TAKECMD_STRICT

}  // namespace

bool StrictMode() {
  if (Strict < 0) {
    const char *setting = std::getenv("TAKECMD_STRICT");
    Strict = (setting && std::strcmp(setting, "0") == 0) ? 0 : 1;
  }
  return Strict == 1;
}

void SetStrictMode(bool on) { Strict = on ? 1 : 0; }

void ReportOverrun(const char *service, std::size_t length) {
  if (!StrictMode()) return;
  char line[256];
  std::snprintf(line, sizeof line,
                "TakeCmd strict mode: %s result of %zu characters overruns the plug-in's "
                "%d-character buffer; aborting\n",
                service, length, kHostBufferChars);
  OsWriteErrorBytes(line);
  std::abort();
}
