#include "timecalc/local_now.h"

SYSTEMTIME LocalNow;
