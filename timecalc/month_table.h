// The month table shared by the calendar and the clock-time reader.
#pragma once

// kMonthTable[half][month][leap]: half kDaysInMonth gives the length of a month,
// half kDaysBeforeMonth the days of the year before its first day. Rows are
// indexed by the month number itself, so row 0 is all zeros; column 0 is a
// common year and column 1 a leap year, which is IsLeapYear's result.
inline constexpr int kDaysInMonth = 0;
inline constexpr int kDaysBeforeMonth = 1;

inline constexpr int kMonthTable[2][13][2] = {
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
