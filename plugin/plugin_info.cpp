#include "hostapi/plugin_info.h"
#include "plugin/exports.h"
#include "plugin/version.h"

namespace {

// Zero-initialised static storage: a host that defines further fields after
// the build number finds them zero.
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
