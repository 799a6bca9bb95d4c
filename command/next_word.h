// Takes the command tail apart one word at a time. Double quotes group white
// space into a word and are dropped from it; the tail is edited in place so
// that, once the grammar has taken its words, it holds the command to run.
#pragma once

#include "hostapi/host_services.h"

// Capacity of a word buffer, terminator included: a host buffer, which holds
// any tail the grammar takes. A word longer than kWordBufferChars - 1
// characters is cut to that length (the rest of it is still read and
// dropped), so a buffer of this size, or of the tail's length plus one when
// that is smaller, is never overrun.
constexpr int kWordBufferChars = kHostBufferChars;

// Results of NextWord.
constexpr int kNoWord = 0;       // the tail is empty or white space only
constexpr int kLastWord = 1;     // a word and nothing after it
constexpr int kWordAndMore = 2;  // a word and more text after it

// NextWord's consume argument: take the word off the tail, or only peek.
constexpr int kTake = 1;
constexpr int kPeek = 0;

// Writes the next word of tail into word (always, an empty text when there is
// none). consume == 0 only peeks and leaves the tail as it is; otherwise the
// word is taken off: the tail then holds the remainder, its end trimmed of
// white space that is outside quotes.
int NextWord(wchar_t *tail, wchar_t *word, int consume);
