#include "hostapi/description_record.h"
#include "plugin/exports.h"
#include "plugin/version.h"

namespace {

// Zero-initialised static storage, with room for the host's two fields after
// the build number: they are the host's to write, and GetPluginInfo leaves them.
PluginInfo Info;

}  // namespace

PluginInfo *WINAPI GetPluginInfo(void) {
  Info.build = kTardoBuild;
  Info.moduleName = L"Tardo";
  Info.author = L"The Tardo project";
  Info.email = L"tardo@tardo-project.org";
  Info.webAddress = L"https://tardo-project.org/";
  Info.description = L"Schedules a command to run later";
  Info.commandList = L"tardo";
  Info.majorVersion = kTardoMajorVersion;
  Info.minorVersion = kTardoMinorVersion;
  return &Info;
}
