#include "scheduling/job_name.h"

#include <cwchar>

#include "hostapi/host_services.h"
#include "hostapi/wide_text.h"
#include "scheduling/path_parts.h"
#include "timecalc/local_now.h"

std::uint32_t JobNumberSeed(const SYSTEMTIME &time) {
  // Each product keeps its low 32 bits.
  return (std::uint32_t{time.wMinute} * 30013u) ^ (std::uint32_t{time.wSecond} * 85793u) ^
         (std::uint32_t{time.wHour} * 6719u) ^ (std::uint32_t{time.wMilliseconds} * 104729u);
}

std::uint32_t NextJobNumber(std::uint32_t number) { return number * 7019u + 941u; }

void ChooseJobName(const wchar_t *tasksFolder, wchar_t *name) {
  wchar_t path[kHostBufferChars];
  std::uint32_t number = JobNumberSeed(LocalNow);
  do {
    number = NextJobNumber(number);
    ClearText(name, kJobNameChars);
    Sprintf(name, L"Tardo-%08x.job", static_cast<unsigned int>(number));
    ClearText(path, kHostBufferChars);
    CopyText(path, tasksFolder, kHostBufferChars);
    AppendPathComponent(path, name);
  } while (QueryIsFile(path) == 1);
  ClearText(name, kJobNameChars);
  Sprintf(name, L"Tardo-%08x", static_cast<unsigned int>(number));
}

namespace {

constexpr int kPrefixChars = 6;  // "Tardo-"
constexpr int kDigits = 8;

int IsNameDigit(wchar_t ch, int exact) {
  return IsDecimalDigit(ch) || (ch >= L'a' && ch <= L'f') || (!exact && ch >= L'A' && ch <= L'F');
}

}  // namespace

int IsJobName(const wchar_t *text, int exact) {
  const int prefixed = exact ? std::wcsncmp(text, L"Tardo-", kPrefixChars) == 0
                             : BeginsWithIgnoringCase(text, L"Tardo-");
  if (!prefixed) return 0;
  for (int i = kPrefixChars; i < kPrefixChars + kDigits; ++i)
    if (!IsNameDigit(text[i], exact)) return 0;
  return text[kPrefixChars + kDigits] == L'\0' ? 1 : 0;
}
