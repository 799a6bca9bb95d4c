// The description record a plug-in hands its host through GetPluginInfo: part
// of the host's interface, which the plug-in and every host read alike.
#pragma once

#include <cstddef>

#include "hostapi/win_api.h"

struct PluginInfo {
  const wchar_t *moduleName;
  const wchar_t *author;
  const wchar_t *email;
  const wchar_t *webAddress;
  const wchar_t *description;
  const wchar_t *commandList;
  int majorVersion;
  int minorVersion;
  int build;
  // The host's: it may store the library's handle and file name here once
  // GetPluginInfo has returned. The plug-in only keeps room for them.
  HMODULE module;
  wchar_t *moduleFileName;
};

// The host reads these offsets: six pointers, three 32-bit integers, then
// its own two fields.
static_assert(sizeof(int) == 4, "the version fields are 32-bit");
static_assert(offsetof(PluginInfo, moduleName) == 0);
static_assert(offsetof(PluginInfo, author) == 1 * sizeof(void *));
static_assert(offsetof(PluginInfo, email) == 2 * sizeof(void *));
static_assert(offsetof(PluginInfo, webAddress) == 3 * sizeof(void *));
static_assert(offsetof(PluginInfo, description) == 4 * sizeof(void *));
static_assert(offsetof(PluginInfo, commandList) == 5 * sizeof(void *));
static_assert(offsetof(PluginInfo, majorVersion) == 6 * sizeof(void *));
static_assert(offsetof(PluginInfo, minorVersion) == 6 * sizeof(void *) + 4);
static_assert(offsetof(PluginInfo, build) == 6 * sizeof(void *) + 8);
constexpr std::size_t kHostFieldsAt =  // build's end, up to the next pointer boundary
    (6 * sizeof(void *) + 12 + sizeof(void *) - 1) / sizeof(void *) * sizeof(void *);
static_assert(offsetof(PluginInfo, module) == kHostFieldsAt);
static_assert(offsetof(PluginInfo, moduleFileName) == kHostFieldsAt + sizeof(void *));
static_assert(sizeof(PluginInfo) == (sizeof(void *) == 4 ? 44 : 80), "the host's record, whole");
#if defined(_WIN32) && !defined(_WIN64)
static_assert(offsetof(PluginInfo, commandList) == 20 && offsetof(PluginInfo, build) == 32 &&
                  offsetof(PluginInfo, module) == 36 && sizeof(PluginInfo) == 44,
              "x86: nine fields at 0, 4, ..., 32, the host's at 36 and 40: 44 bytes");
#endif
#if defined(_WIN64)
static_assert(
    offsetof(PluginInfo, commandList) == 40 && offsetof(PluginInfo, majorVersion) == 48 &&
        offsetof(PluginInfo, build) == 56 && offsetof(PluginInfo, module) == 64 &&
        sizeof(PluginInfo) == 80,
    "x64: pointers at 0 to 40, integers at 48, 52, 56, the host's at 64 and 72: 80 bytes");
#endif
