#include "scheduling/once_trigger.h"

#include <cstddef>
#include <cstring>

// The Task Scheduler reads the record by this layout, on x86 and x64 alike.
static_assert(sizeof(TASK_TRIGGER) == 48);
static_assert(offsetof(TASK_TRIGGER, cbTriggerSize) == 0);
static_assert(offsetof(TASK_TRIGGER, wBeginYear) == 4);
static_assert(offsetof(TASK_TRIGGER, wBeginMonth) == 6);
static_assert(offsetof(TASK_TRIGGER, wBeginDay) == 8);
static_assert(offsetof(TASK_TRIGGER, wEndYear) == 10);
static_assert(offsetof(TASK_TRIGGER, wStartHour) == 16);
static_assert(offsetof(TASK_TRIGGER, wStartMinute) == 18);
static_assert(offsetof(TASK_TRIGGER, MinutesDuration) == 20);
static_assert(offsetof(TASK_TRIGGER, rgFlags) == 28);
static_assert(offsetof(TASK_TRIGGER, TriggerType) == 32);
static_assert(offsetof(TASK_TRIGGER, Type) == 36);
static_assert(offsetof(TASK_TRIGGER, Reserved2) == 44);
static_assert(offsetof(TASK_TRIGGER, wRandomMinutesInterval) == 46);
static_assert(TASK_TIME_TRIGGER_ONCE == 0);

void FillOnceTrigger(TASK_TRIGGER *trigger, const SYSTEMTIME &target) {
  // Reserved fields and padding included: the scheduler stores the bytes.
  std::memset(trigger, 0, sizeof *trigger);
  trigger->cbTriggerSize = sizeof(TASK_TRIGGER);
  trigger->wBeginYear = target.wYear;
  trigger->wBeginMonth = target.wMonth;
  trigger->wBeginDay = target.wDay;
  trigger->wStartHour = target.wHour;
  trigger->wStartMinute = target.wMinute;
  trigger->TriggerType = TASK_TIME_TRIGGER_ONCE;
}
