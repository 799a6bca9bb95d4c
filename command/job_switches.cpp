#include "command/job_switches.h"

#include "command/next_word.h"
#include "hostapi/report_error.h"
#include "hostapi/wide_text.h"
#include "scheduling/delete_jobs.h"
#include "scheduling/job_name.h"
#include "scheduling/list_jobs.h"

namespace {

// What the command returns for a scheduling result: 0 done, 1 refused
// (reported), -1 a failed call (reported).
int CommandResult(int scheduled) { return scheduled < 0 ? 2 : scheduled; }

}  // namespace

int IsJobSwitch(const wchar_t *word) {
  return EqualsIgnoringCase(word, L"/l") || EqualsIgnoringCase(word, L"/d");
}

int RunJobSwitch(wchar_t *tail, wchar_t *word) {
  const int listing = EqualsIgnoringCase(word, L"/l");
  if (!listing && NextWord(tail, word, kTake) == kNoWord) {
    ReportError(L"Syntax error:  expected a job name or *");
    return 1;
  }
  // One switch, one job name at most: anything more is refused whole
  // rather than half done.
  if (tail[0] != L'\0') {
    ReportErrorText(L"Syntax error:  unexpected \"%s\"", tail);
    return 1;
  }
  if (listing) return CommandResult(ListJobs());
  if (EqualsIgnoringCase(word, L"*")) return CommandResult(DeleteAllJobs());
  if (!IsJobName(word, 0)) {
    ReportErrorText(L"Not a Tardo job name:  %s", word);
    return 1;
  }
  return CommandResult(DeleteJob(word));
}
