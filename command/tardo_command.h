// The tardo command: reads the tail, works out the target moment and hands
// the rest of the line to the scheduler; or, after /L or /D, lists or
// deletes pending jobs.
#pragma once

// Returns 0 when the job was scheduled (or usage or the "out" reply was
// written, or the jobs listed or deleted), 1 when the command was refused,
// 2 when the scheduler refused it or a scheduler call failed.
int TardoCommand(wchar_t *tail);
