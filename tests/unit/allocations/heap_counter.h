// Counts the heap allocations made while a counting window is open, and
// tells the plug-in's own from those of the services it calls.
//
// The test program replaces malloc and its relatives and the global operator
// new (heap_interposer.cpp); every replacement reports here before it
// allocates. An allocation inside a window is the host's when the innermost
// frame on the stack that lies in the host's libraries (TakeCmd.so, the
// Windows stand-ins in winapi_standin.so) comes before any frame of the
// plug-in: the host allocated while serving a call. Every other allocation
// inside the window is counted against the plug-in, including one whose
// stack cannot be walked, so that a doubtful case fails the test rather than
// passing it.
#pragma once

#include <cstddef>
#include <string>

struct HeapCounts {
  int plugin;  // allocations counted against the plug-in
  int host;    // allocations made inside the host's services
};

// Finds the host's and the plug-in's code in the loaded objects: plugin and
// host name files ("Tardo.so", "TakeCmd.so", ...) by the end of their path.
// Returns the number of host objects found; call it before any window opens.
int LocateHeapOwners(const char *plugin, const char *const *hosts, int hostCount);

// Opens a window (counts start at zero); CloseHeapWindow ends it and returns
// what it saw. Windows do not nest.
void OpenHeapWindow();
HeapCounts CloseHeapWindow();

// Where the first few allocations counted against the plug-in in the last
// window were made: one line per allocation, innermost frames first.
std::string PluginAllocationSites();

// Called by the replacements of heap_interposer.cpp.
void NoteAllocation(std::size_t size);
