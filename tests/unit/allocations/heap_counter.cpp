#include "tests/unit/allocations/heap_counter.h"

#include <dlfcn.h>
#include <link.h>
#include <unwind.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

struct CodeRange {
  std::uintptr_t begin;
  std::uintptr_t end;
};

// Every range is filled once, before the first window, and only read after.
constexpr int kMaxRanges = 32;
CodeRange HostRanges[kMaxRanges];
int HostRangeCount = 0;
CodeRange PluginRanges[kMaxRanges];
int PluginRangeCount = 0;

struct Search {
  const char *plugin;
  const char *const *hosts;
  int hostCount;
  int hostsFound;
};

bool EndsWith(const char *text, const char *end) {
  const std::size_t length = std::strlen(text);
  const std::size_t endLength = std::strlen(end);
  return length >= endLength && std::strcmp(text + length - endLength, end) == 0 &&
         (length == endLength || text[length - endLength - 1] == '/');
}

void AddCode(const dl_phdr_info *info, CodeRange *ranges, int *count) {
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr) &segment = info->dlpi_phdr[i];
    if (segment.p_type != PT_LOAD || (segment.p_flags & PF_X) == 0 || *count == kMaxRanges)
      continue;
    const std::uintptr_t begin = info->dlpi_addr + segment.p_vaddr;
    ranges[(*count)++] = {begin, begin + segment.p_memsz};
  }
}

int VisitObject(dl_phdr_info *info, std::size_t, void *data) {
  auto *search = static_cast<Search *>(data);
  const char *name = info->dlpi_name;
  if (name == nullptr || name[0] == '\0') return 0;
  if (EndsWith(name, search->plugin)) AddCode(info, PluginRanges, &PluginRangeCount);
  for (int i = 0; i < search->hostCount; ++i) {
    if (EndsWith(name, search->hosts[i])) {
      AddCode(info, HostRanges, &HostRangeCount);
      ++search->hostsFound;
    }
  }
  return 0;
}

bool InRanges(std::uintptr_t address, const CodeRange *ranges, int count) {
  for (int i = 0; i < count; ++i)
    if (address >= ranges[i].begin && address < ranges[i].end) return true;
  return false;
}

// The walk of one allocation's stack.
constexpr int kKeptFrames = 8;
struct Walk {
  int frames;
  int owner;  // 0 undecided, 1 plug-in, 2 host
  std::uintptr_t kept[kKeptFrames];
};

_Unwind_Reason_Code VisitFrame(_Unwind_Context *context, void *data) {
  auto *walk = static_cast<Walk *>(data);
  int beforeInstruction = 0;
  std::uintptr_t address = _Unwind_GetIPInfo(context, &beforeInstruction);
  // A return address points after its call; step back into the call.
  if (address != 0 && beforeInstruction == 0) --address;
  if (walk->frames < kKeptFrames) walk->kept[walk->frames] = address;
  ++walk->frames;
  if (InRanges(address, HostRanges, HostRangeCount)) {
    walk->owner = 2;
    return _URC_END_OF_STACK;
  }
  if (InRanges(address, PluginRanges, PluginRangeCount)) {
    walk->owner = 1;
    return _URC_END_OF_STACK;
  }
  return walk->frames > 256 ? _URC_END_OF_STACK : _URC_NO_REASON;
}

bool WindowOpen = false;
HeapCounts Counts = {0, 0};
// A walk may itself allocate (the unwinder's first use); that is ours.
thread_local bool Walking = false;

constexpr int kKeptSites = 4;
Walk Sites[kKeptSites];
int SiteCount = 0;

}  // namespace

int LocateHeapOwners(const char *plugin, const char *const *hosts, int hostCount) {
  HostRangeCount = 0;
  PluginRangeCount = 0;
  Search search = {plugin, hosts, hostCount, 0};
  dl_iterate_phdr(VisitObject, &search);
  // Warm the unwinder up outside any window.
  Walk warm = {};
  _Unwind_Backtrace(VisitFrame, &warm);
  return search.hostsFound;
}

void OpenHeapWindow() {
  Counts = {0, 0};
  SiteCount = 0;
  WindowOpen = true;
}

HeapCounts CloseHeapWindow() {
  WindowOpen = false;
  return Counts;
}

std::string PluginAllocationSites() {
  std::string text;
  for (int site = 0; site < SiteCount; ++site) {
    text += "allocation:";
    const Walk &walk = Sites[site];
    for (int i = 0; i < walk.frames && i < kKeptFrames; ++i) {
      Dl_info info = {};
      char line[512];
      if (dladdr(reinterpret_cast<void *>(walk.kept[i]), &info) != 0 && info.dli_sname != nullptr)
        std::snprintf(line, sizeof line, " %s(%s)", info.dli_sname,
                      info.dli_fname ? std::strrchr(info.dli_fname, '/') : "?");
      else
        std::snprintf(line, sizeof line, " %#lx", static_cast<unsigned long>(walk.kept[i]));
      text += line;
    }
    text += "\n";
  }
  return text;
}

void NoteAllocation(std::size_t) {
  if (!WindowOpen || Walking) return;
  Walking = true;
  Walk walk = {};
  _Unwind_Backtrace(VisitFrame, &walk);
  if (walk.owner == 2) {
    ++Counts.host;
  } else {
    ++Counts.plugin;
    if (SiteCount < kKeptSites) Sites[SiteCount++] = walk;
  }
  Walking = false;
}
