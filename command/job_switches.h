// TARDO /L and TARDO /D name | *: seeing and deleting Tardo's pending jobs.
// The switches are taken, ignoring case, only as the first word of the tail.
#pragma once

// 1 when word is "/L" or "/D", ignoring case.
int IsJobSwitch(const wchar_t *word);

// Runs the switch in word (IsJobSwitch) on the rest of the tail, which
// word also serves to read. Returns the command's result: 0 done, 1
// refused (one error line), 2 a scheduler call failed (one error line).
int RunJobSwitch(wchar_t *tail, wchar_t *word);
