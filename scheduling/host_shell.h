// The host's command processor, which runs every job, and its folder, where
// a job starts when it is given no other.
#pragma once

// Fills path (kHostBufferChars characters) with %_cmdspec expanded: the
// full path of the shell that the job's parameters are handed to.
void HostShellPath(wchar_t *path);

// Fills folder (kHostBufferChars characters) with the folder part of that
// path, its separator included, as DirectoryPart cuts it; empty when the
// path holds no separator.
void HostShellFolder(wchar_t *folder);
