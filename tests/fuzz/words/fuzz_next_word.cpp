// NextWord on arbitrary tails, in buffers of exactly the size the tokenizer
// promises to stay within, so that the sanitizers see any overrun. Checks
// that a peek announces what the next consuming call takes and that the tail
// shrinks with every word.
#include <algorithm>
#include <cstdlib>
#include <cwchar>

#include "command/next_word.h"
#include "hostapi/wide_text.h"
#include "tests/fuzz/support/fuzz_text.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  std::vector<wchar_t> buffer = FuzzText(data, size);
  const std::size_t length = std::wcslen(buffer.data());
  std::vector<wchar_t> tail(buffer.begin(), buffer.begin() + length + 1);
  const std::size_t wordChars = std::min<std::size_t>(length + 1, kWordBufferChars);
  std::vector<wchar_t> peeked(wordChars);
  std::vector<wchar_t> taken(wordChars);

  // Each consuming call moves the rest of the tail, so the number of words
  // checked per input is capped to keep every run short.
  for (int step = 0; step < 64; ++step) {
    const std::vector<wchar_t> before(tail.begin(), tail.begin() + std::wcslen(tail.data()) + 1);
    const int peek = NextWord(tail.data(), peeked.data(), 0);
    Require(peek >= kNoWord && peek <= kWordAndMore);
    Require(std::wcscmp(tail.data(), before.data()) == 0);
    const int consume = NextWord(tail.data(), taken.data(), 1);
    Require(consume == peek);
    Require(std::wcscmp(peeked.data(), taken.data()) == 0);
    Require(std::wcslen(taken.data()) < kWordBufferChars);

    const std::size_t left = std::wcslen(tail.data());
    if (consume == kNoWord) {
      Require(taken[0] == L'\0');
      Require(std::wcscmp(tail.data(), before.data()) == 0);
      break;
    }
    if (consume == kLastWord) {
      Require(left == 0);
      break;
    }
    Require(left > 0 && left < before.size() - 1);
    Require(!IsWhiteSpace(tail[0]));
    // Trailing white space is left only after a quote that stays open.
    if (IsWhiteSpace(tail[left - 1]))
      Require(std::count(tail.begin(), tail.begin() + left, L'"') % 2 == 1);
  }
  return 0;
}
