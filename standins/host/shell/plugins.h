// The loaded plug-ins: loading by path the way the host does
// (GetPluginInfo, InitializePlugin, the commands of the record's command
// list), Help and Usage, and ShutdownPlugin(0) at the end. After
// GetPluginInfo it writes the library's handle and path into the record's
// two host fields. A library without GetPluginInfo, InitializePlugin or
// ShutdownPlugin is no plug-in.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "hostapi/description_record.h"
#include "hostapi/win_api.h"

using PluginCommandEntry = int(WINAPI *)(wchar_t *tail);

struct PluginCommand {
  std::wstring name;
  PluginCommandEntry entry;  // null when the plug-in lacks the export
};

using PluginHelpEntry = int(WINAPI *)(wchar_t *name);
using PluginUsageEntry = int(WINAPI *)(wchar_t *name, wchar_t *buffer);
using PluginShutdownEntry = int(WINAPI *)(int endProcess);

struct LoadedPlugin {
  void *library;
  std::wstring name;
  std::wstring path;  // as loaded; the record's file name field points here
  std::vector<PluginCommand> commands;
  PluginHelpEntry help;    // null when the plug-in lacks the export
  PluginUsageEntry usage;  // likewise
  PluginShutdownEntry shutdown;
};

class PluginSet {
 public:
  PluginSet() = default;
  PluginSet(const PluginSet &) = delete;
  PluginSet &operator=(const PluginSet &) = delete;
  ~PluginSet();

  // Writes its own error line; false when the file is no loadable plug-in.
  bool Load(const std::wstring &path);
  // The command of that name, ignoring ASCII case; *pluginName names its plug-in.
  const PluginCommand *FindCommand(std::wstring_view name, std::wstring *pluginName) const;
  // The first non-zero answer of the plug-ins' Help exports, in load order; 0 when none answers.
  int Help(const std::wstring &name) const;
  // The first plug-in's Usage text for the name; false when none has one.
  bool Usage(const std::wstring &name, std::wstring *text) const;
  // ShutdownPlugin(0) and unload, the last loaded first.
  void UnloadAll();

 private:
  // A deque: adding or removing at its end moves no other plug-in, so each
  // record's file name stays where it points while its library is loaded.
  std::deque<LoadedPlugin> plugins_;
};
