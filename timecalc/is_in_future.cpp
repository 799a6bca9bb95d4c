#include "timecalc/is_in_future.h"

#include "timecalc/local_now.h"

int IsInFuture(const SYSTEMTIME *target) {
  const WORD later[] = {target->wYear,   target->wMonth,  target->wDay,         target->wHour,
                        target->wMinute, target->wSecond, target->wMilliseconds};
  const WORD now[] = {LocalNow.wYear,   LocalNow.wMonth,  LocalNow.wDay,         LocalNow.wHour,
                      LocalNow.wMinute, LocalNow.wSecond, LocalNow.wMilliseconds};
  for (int field = 0; field < 7; ++field) {
    if (later[field] != now[field]) return later[field] > now[field] ? 1 : 0;
  }
  return 0;
}
