// What Tardo.dll exports to its host, by plain name.
#pragma once

#include "hostapi/description_record.h"
#include "hostapi/win_api.h"

extern "C" {
PluginInfo *WINAPI GetPluginInfo(void);
int WINAPI InitializePlugin(void);
int WINAPI ShutdownPlugin(int endProcess);
int WINAPI Help(wchar_t *name);
int WINAPI Usage(wchar_t *name, wchar_t *buffer);
int WINAPI tardo(wchar_t *tail);
}
