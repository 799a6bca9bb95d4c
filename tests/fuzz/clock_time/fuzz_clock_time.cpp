// ParseClockTime on arbitrary words and clocks: an accepted word always gives
// a real moment (and, without a date, one after LocalNow); a rejected word
// leaves the target exactly as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "timecalc/calendar.h"
#include "timecalc/clock_time.h"
#include "timecalc/is_in_future.h"
#include "timecalc/local_now.h"

namespace {

constexpr std::size_t ClockBytes = 8;
constexpr std::size_t MaxWord = 256;

// The first eight bytes set the clock: a day of the whole range (including
// its last day, where "tomorrow" does not exist), a time and milliseconds.
void SetClock(const std::uint8_t *bytes) {
  const std::uint32_t day =
      (bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t{bytes[3]} << 24);
  std::memset(&LocalNow, 0, sizeof LocalNow);
  DateFromDayNumber(static_cast<int>(day % kLastDayNumber) + 1, &LocalNow);
  LocalNow.wHour = bytes[4] % 24;
  LocalNow.wMinute = bytes[5] % 60;
  LocalNow.wSecond = bytes[6] % 60;
  LocalNow.wMilliseconds = static_cast<WORD>(bytes[7] * 4);
  LocalNow.wDayOfWeek =
      static_cast<WORD>(DayNumber(LocalNow.wYear, LocalNow.wMonth, LocalNow.wDay) % 7);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < ClockBytes) return 0;
  SetClock(data);
  // The rest is the word, one character per byte; a byte 0xFF takes the next
  // two bytes as one 16-bit character, so characters beyond Latin-1 occur too.
  wchar_t word[MaxWord + 1];
  std::size_t length = 0;
  bool dated = false;
  for (std::size_t i = ClockBytes; i < size && length < MaxWord; ++i) {
    wchar_t ch = data[i];
    if (ch == 0xFF && i + 2 < size) {
      ch = static_cast<wchar_t>(data[i + 1] | data[i + 2] << 8);
      i += 2;
    }
    dated = dated || ch == L'@';
    word[length++] = ch;
  }
  word[length] = 0;

  SYSTEMTIME target;
  std::memset(&target, 0x5A, sizeof target);
  const SYSTEMTIME before = target;
  if (ParseClockTime(word, &target) != 0) {
    if (std::memcmp(&target, &before, sizeof target) != 0) std::abort();
    return 0;
  }
  const int day = DayNumber(target.wYear, target.wMonth, target.wDay);
  if (day == -1 || target.wHour > 23 || target.wMinute > 59 || target.wSecond > 59 ||
      target.wMilliseconds != 0 || target.wDayOfWeek != day % 7)
    std::abort();
  if (!dated && IsInFuture(&target) != 1) std::abort();
  return 0;
}
