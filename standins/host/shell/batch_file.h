// Batch files: UTF-8 lines ending in LF or CR LF, run one by one with
// _batch (the nesting depth), _batchname (the file's full path) and
// _batchline (from 1) set; a ^ at the end of a line joins the next line to
// it (_batchline is then the first one's). The caller's values come back
// afterwards.
#pragma once

#include <string>

#include "standins/host/shell/shell_state.h"

// Returns the last result of the file's lines (1 when it cannot be read).
int RunBatchFile(ShellState *state, const std::wstring &path);
