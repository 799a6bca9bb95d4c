#include "standins/host/shell/plugins.h"

#include "hostapi/host_services.h"
#include "standins/common/ascii_case.h"
#include "standins/common/utf8_text.h"
#include "standins/host/shell/export_call.h"
#include "standins/host/shell/shell_messages.h"
#include "standins/host/shell/shell_os.h"

using PluginInfoEntry = PluginInfo *(WINAPI *)(void);
using PluginInitializeEntry = int(WINAPI *)(void);

namespace {

template <typename Entry>
Entry FindEntry(void *library, const char *name) {
  return reinterpret_cast<Entry>(OsFindSymbol(library, name));
}

// "a,b c": commas and white space both separate the names.
std::vector<std::wstring> CommandNames(const wchar_t *list) {
  std::vector<std::wstring> names;
  std::wstring name;
  for (const wchar_t *p = list; p && *p != L'\0'; ++p) {
    if (*p == L',' || *p == L' ' || *p == L'\t') {
      if (!name.empty()) names.push_back(name);
      name.clear();
    } else {
      name += *p;
    }
  }
  if (!name.empty()) names.push_back(name);
  return names;
}

}  // namespace

PluginSet::~PluginSet() { UnloadAll(); }

bool PluginSet::Load(const std::wstring &path) {
  std::wstring reason;
  void *library = OsLoadLibrary(path, &reason);
  if (!library) {
    ShellError(L"cannot load plug-in " + path + L": " + reason);
    return false;
  }
  const auto info = FindEntry<PluginInfoEntry>(library, "GetPluginInfo");
  const auto initialize = FindEntry<PluginInitializeEntry>(library, "InitializePlugin");
  const auto shutdown = FindEntry<PluginShutdownEntry>(library, "ShutdownPlugin");
  // Every plug-in has the three exports of its life; Help and Usage it may lack.
  const char *missing = !info         ? "GetPluginInfo"
                        : !initialize ? "InitializePlugin"
                        : !shutdown   ? "ShutdownPlugin"
                                      : nullptr;
  PluginInfo *record = missing ? nullptr : CallExport(path, "GetPluginInfo", info);
  if (!record) {
    ShellError(path + (missing ? L" is not a plug-in: it has no " + Utf8ToWide(missing) + L" export"
                               : std::wstring(L" gave no description record")));
    OsFreeLibrary(library);
    return false;
  }
  LoadedPlugin &plugin =
      plugins_.emplace_back(LoadedPlugin{library,
                                         record->moduleName ? record->moduleName : path,
                                         path,
                                         {},
                                         FindEntry<PluginHelpEntry>(library, "Help"),
                                         FindEntry<PluginUsageEntry>(library, "Usage"),
                                         shutdown});
  // The host's two fields, written as the host may write them: a plug-in
  // whose record has no room for them has its memory overwritten here.
  record->module = static_cast<HMODULE>(library);
  record->moduleFileName = plugin.path.data();
  CallExport(plugin.name, "InitializePlugin", initialize);
  for (const std::wstring &name : CommandNames(record->commandList))
    plugin.commands.push_back(
        {name, FindEntry<PluginCommandEntry>(library, WideToUtf8(name).c_str())});
  return true;
}

const PluginCommand *PluginSet::FindCommand(std::wstring_view name,
                                            std::wstring *pluginName) const {
  for (const LoadedPlugin &plugin : plugins_)
    for (const PluginCommand &command : plugin.commands)
      if (EqualsIgnoringAsciiCase(command.name, name)) {
        *pluginName = plugin.name;
        return &command;
      }
  return nullptr;
}

int PluginSet::Help(const std::wstring &name) const {
  for (const LoadedPlugin &plugin : plugins_) {
    if (!plugin.help) continue;
    std::wstring copy = name;  // the export takes a writable text
    if (const int answer = CallExport(plugin.name, "Help", plugin.help, copy.data())) return answer;
  }
  return 0;
}

bool PluginSet::Usage(const std::wstring &name, std::wstring *text) const {
  for (const LoadedPlugin &plugin : plugins_) {
    if (!plugin.usage) continue;
    std::wstring copy = name;
    std::vector<wchar_t> buffer(kUsageBufferChars + 1, L'\0');  // one more: always terminated
    if (CallExport(plugin.name, "Usage", plugin.usage, copy.data(), buffer.data())) {
      *text = buffer.data();
      return true;
    }
  }
  return false;
}

void PluginSet::UnloadAll() {
  while (!plugins_.empty()) {
    LoadedPlugin &plugin = plugins_.back();
    CallExport(plugin.name, "ShutdownPlugin", plugin.shutdown, 0);
    OsFreeLibrary(plugin.library);
    plugins_.pop_back();
  }
}
