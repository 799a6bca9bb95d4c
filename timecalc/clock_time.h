// Reads the clock-time word of "tardo until": [year-month-day@]hh:mm[:ss][A|P].
#pragma once

#include "hostapi/win_api.h"

// 1 for the date separators "-", "." and "/", 0 for any other character.
int IsDateSeparator(wchar_t ch);

// Reads text into target: the given date, or else today when the hour and
// minute are still ahead of LocalNow and tomorrow when they are not. Returns 0
// with all eight fields written (wDayOfWeek from the day number, wMilliseconds
// 0), or -1 with target untouched when the text is absent or malformed, a
// field is out of range, or the day falls outside 1601-01-01 to 4000-12-31.
int ParseClockTime(const wchar_t *text, SYSTEMTIME *target);
