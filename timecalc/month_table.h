// The month table shared by the calendar and the clock-time reader.
#pragma once

// MonthTable[half][month][leap]: half DaysInMonth gives the length of a month,
// half DaysBeforeMonth the days of the year before its first day. Rows are
// indexed by the month number itself, so row 0 is all zeros; column 0 is a
// common year and column 1 a leap year, which is IsLeapYear's result.
inline constexpr int DaysInMonth = 0;
inline constexpr int DaysBeforeMonth = 1;

inline constexpr int MonthTable[2][13][2] = {
    {{0, 0},
     {31, 31},
     {28, 29},
     {31, 31},
     {30, 30},
     {31, 31},
     {30, 30},
     {31, 31},
     {31, 31},
     {30, 30},
     {31, 31},
     {30, 30},
     {31, 31}},
    {{0, 0},
     {0, 0},
     {31, 31},
     {59, 60},
     {90, 91},
     {120, 121},
     {151, 152},
     {181, 182},
     {212, 213},
     {243, 244},
     {273, 274},
     {304, 305},
     {334, 335}},
};
