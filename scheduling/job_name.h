// Job names: "Tardo-" and eight lower-case hexadecimal digits, for a new
// job derived from the time of day and stepped past every name in use.
#pragma once

#include <cstdint>

#include "hostapi/win_api.h"

// Capacity of a job-name buffer; the longest text put there is a job file
// name such as "Tardo-0318f736.job" (18 characters).
constexpr int kJobNameChars = 32;

// The job number's seed from the time of day (the date plays no part).
std::uint32_t JobNumberSeed(const SYSTEMTIME &time);

// The next job number after number; every try, the first one included,
// comes after a step.
std::uint32_t NextJobNumber(std::uint32_t number);

// Fills name (kJobNameChars characters) with the work item name for the
// first number, seeded from LocalNow, whose job file does not exist in
// tasksFolder (a folder FindTasksFolder accepted).
void ChooseJobName(const wchar_t *tasksFolder, wchar_t *name);

// 1 when text is "Tardo-" and eight hexadecimal digits and nothing more:
// exactly as ChooseJobName writes them when exact is set, in any case of the
// letters A to F and of "Tardo" otherwise; 0 for any other text.
int IsJobName(const wchar_t *text, int exact);
