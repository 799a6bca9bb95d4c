#include "standins/host/shell/words.h"

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::size_t SkipBlanks(const std::wstring &text, std::size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

std::size_t WordEnd(const std::wstring &text, std::size_t at) {
  while (at < text.size() && !IsBlank(text[at])) ++at;
  return at;
}

std::vector<std::wstring> SplitWords(const std::wstring &text) {
  std::vector<std::wstring> words;
  std::size_t at = SkipBlanks(text, 0);
  while (at < text.size()) {
    std::wstring word;
    bool quoted = false;
    for (; at < text.size() && (quoted || !IsBlank(text[at])); ++at) {
      if (text[at] == L'"') quoted = !quoted;
      word += text[at];
    }
    words.push_back(word);
    at = SkipBlanks(text, at);
  }
  return words;
}
