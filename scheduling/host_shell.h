// The host's command processor, which runs every job.
#pragma once

// Fills path (kHostBufferChars characters) with %_cmdspec expanded: the
// full path of the shell that the job's parameters are handed to.
void HostShellPath(wchar_t *path);
