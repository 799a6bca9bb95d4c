// The tardo command: reads the tail, works out the target moment and hands
// the rest of the line to the scheduler.
#pragma once

// Returns 0 when the job was scheduled (or usage or the "out" reply was
// written), 1 when the command was refused, 2 when the scheduler refused it.
int TardoCommand(wchar_t *tail);
