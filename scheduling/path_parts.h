// Joining and splitting the plug-in's paths. "/" and "\" separate; ":" ends
// a drive. Paths live in host-sized buffers (kHostBufferChars characters).
#pragma once

// Appends name to path (a kHostBufferChars buffer), with one "\" between
// them unless path is empty or ends in "/", "\" or ":", or name begins with
// "/" or "\". Returns 0; -1, with path unchanged, when an argument is
// missing or the joined path would not fit.
int AppendPathComponent(wchar_t *path, const wchar_t *name);

// Copies the directory portion of source, up to and including its last "/"
// or "\" (or, when it has neither, its last ":"), into destination (a
// kHostBufferChars buffer) and returns destination. Returns null and leaves
// destination untouched when source is missing, empty or holds no separator.
wchar_t *DirectoryPart(wchar_t *destination, const wchar_t *source);
