#include "command/tardo_command.h"

#include <cstdint>

#include "command/job_switches.h"
#include "command/next_word.h"
#include "command/parse_count.h"
#include "command/usage_text.h"
#include "hostapi/host_services.h"
#include "hostapi/report_error.h"
#include "hostapi/wide_text.h"
#include "scheduling/schedule_command.h"
#include "timecalc/add_minutes.h"
#include "timecalc/clock_time.h"
#include "timecalc/is_in_future.h"
#include "timecalc/local_now.h"

namespace {

int Refuse(const wchar_t *message) {
  ReportError(message);
  return 1;
}

// Minutes per unit word, matched by prefix in this order; 0 for no unit.
int UnitMinutes(const wchar_t *word) {
  if (BeginsWithIgnoringCase(word, L"hour")) return 60;
  if (BeginsWithIgnoringCase(word, L"day")) return 1440;
  if (BeginsWithIgnoringCase(word, L"min")) return 1;
  return 0;
}

// The UNTIL form: the word after it names the moment.
int ReadClockTime(wchar_t *tail, wchar_t *word, SYSTEMTIME *target) {
  if (NextWord(tail, word, kTake) == 0) return Refuse(L"Syntax error:  expected a time");
  if (ParseClockTime(word, target) != 0) {
    ReportErrorText(L"Syntax error:  invalid time \"%s\"; should be HH:MM", word);
    return 1;
  }
  if (!IsInFuture(target)) return Refuse(L"It's too late for that!");
  return 0;
}

// The FOR form: a count and a unit, added to now.
int ReadDuration(wchar_t *tail, wchar_t *word, SYSTEMTIME *target) {
  if (EqualsIgnoringCase(word, L"for")) NextWord(tail, word, kTake);
  if (word[0] == L'\0') return Refuse(L"Syntax error:  expected a duration");
  const int count = ParseCount(word);
  if (count < 1) {
    ReportErrorText(L"Syntax error:  invalid duration \"%s\"; should be a number", word);
    return 1;
  }
  if (NextWord(tail, word, kTake) == 0) return Refuse(L"Syntax error:  expected HOURS or MINUTES");
  const int perUnit = UnitMinutes(word);
  if (perUnit == 0) return Refuse(L"Syntax error:  expected HOURS or MINUTES");
  // A product past 32 bits lies far beyond the calendar's last day anyway.
  if (count > INT32_MAX / perUnit) return Refuse(L"Date out of range");
  if (AddMinutes(count * perUnit, target) != 0) return Refuse(L"Date out of range");
  return 0;
}

// [THEN] [IN dir [THEN]]: leaves the command line alone in the tail.
int ReadPlace(wchar_t *tail, wchar_t *word, wchar_t *directory) {
  if (NextWord(tail, word, kPeek) == 0)
    return Refuse(L"Syntax error:  expected IN, THEN or a command");
  if (EqualsIgnoringCase(word, L"then")) NextWord(tail, word, kTake);
  if (NextWord(tail, word, kPeek) == 0) return Refuse(L"Syntax error:  expected IN or a command");
  if (EqualsIgnoringCase(word, L"in")) {
    NextWord(tail, word, kTake);
    if (NextWord(tail, directory, kTake) == 0)
      return Refuse(L"Syntax error:  expected a directory name");
    if (!QueryIsDirectory(directory)) {
      ReportErrorText(L"Directory does not exist:  %s", directory);
      return 1;
    }
    if (NextWord(tail, word, kPeek) != 0 && EqualsIgnoringCase(word, L"then"))
      NextWord(tail, word, kTake);
  }
  if (tail[0] == L'\0') return Refuse(L"Syntax error:  expected a command");
  return 0;
}

}  // namespace

int TardoCommand(wchar_t *tail) {
  if (tail == nullptr) return 1;
  // Every word must fit the word buffer; a longer line is refused whole
  // rather than cut into a different command.
  if (TextLength(tail) >= kHostBufferChars) {
    ReportErrorNumber(L"Command line too long: at most %d characters", kHostBufferChars - 1);
    return 1;
  }

  wchar_t word[kHostBufferChars];
  wchar_t directory[kHostBufferChars];
  ClearText(word, kHostBufferChars);
  ClearText(directory, kHostBufferChars);
  GetLocalTime(&LocalNow);
  SYSTEMTIME target = LocalNow;

  if (NextWord(tail, word, kTake) == 0 || EqualsIgnoringCase(word, L"/?")) {
    PrintUsage();
    return 0;
  }
  if (IsJobSwitch(word)) return RunJobSwitch(tail, word);
  if (EqualsIgnoringCase(word, L"out") && NextWord(tail, word, kTake) == 0) {
    QPuts(L"Like totally, dude.\n");
    return 0;
  }
  const int refused = EqualsIgnoringCase(word, L"until") ? ReadClockTime(tail, word, &target)
                                                         : ReadDuration(tail, word, &target);
  if (refused != 0) return refused;
  if (ReadPlace(tail, word, directory) != 0) return 1;
  return ScheduleCommand(directory, tail, target) == 0 ? 0 : 2;
}
