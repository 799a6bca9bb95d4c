#include "standins/host/takecmd/expansion.h"

#include "standins/common/ascii_case.h"
#include "standins/host/takecmd/registry_query.h"
#include "standins/host/takecmd/variables.h"

namespace {

bool IsNameCharacter(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
         c == L'_';
}

std::size_t NameEnd(std::wstring_view text, std::size_t at) {
  while (at < text.size() && IsNameCharacter(text[at])) ++at;
  return at;
}

// The ']' that closes the '[' at open, counting nested brackets.
std::size_t ClosingBracket(std::wstring_view text, std::size_t open) {
  int depth = 0;
  for (std::size_t at = open; at < text.size(); ++at) {
    if (text[at] == L'[') ++depth;
    if (text[at] == L']' && --depth == 0) return at;
  }
  return std::wstring_view::npos;
}

std::wstring VariableValue(std::wstring_view name) {
  std::wstring value;
  return LookupVariable(name, &value) ? value : L"";
}

std::wstring CallFunction(std::wstring_view name, const std::wstring &arguments) {
  if (EqualsIgnoringAsciiCase(name, L"regquery")) {
    std::wstring text;
    return QueryRegistryText(arguments, &text) ? text : L"-1";
  }
  return L"";  // no such function: like a variable that is not set
}

}  // namespace

constexpr std::size_t kNoReference = std::wstring_view::npos;
// Function calls nest by recursion; deeper than this they stay as text, so
// that no text can exhaust the stack.
constexpr int kDeepestCall = 32;

namespace {

std::wstring ExpandNested(std::wstring_view text, int depth);

// Each reader looks at a '%' at text[at]. When the text there is its kind of
// reference it appends the expansion and returns where the text goes on;
// otherwise it returns kNoReference and appends nothing.

std::size_t ReadBracketed(std::wstring_view text, std::size_t at, std::wstring *out) {
  if (text[at + 1] != L'[') return kNoReference;
  const std::size_t close = text.find(L']', at + 2);
  if (close == std::wstring_view::npos) return kNoReference;
  *out += VariableValue(text.substr(at + 2, close - at - 2));
  return close + 1;
}

std::size_t ReadFunction(std::wstring_view text, std::size_t at, int depth, std::wstring *out) {
  if (text[at + 1] != L'@' || depth == kDeepestCall) return kNoReference;
  const std::size_t open = NameEnd(text, at + 2);
  if (open == at + 2 || open == text.size() || text[open] != L'[') return kNoReference;
  const std::size_t close = ClosingBracket(text, open);
  if (close == std::wstring_view::npos) return kNoReference;
  *out += CallFunction(text.substr(at + 2, open - at - 2),
                       ExpandNested(text.substr(open + 1, close - open - 1), depth + 1));
  return close + 1;
}

std::size_t ReadNamed(std::wstring_view text, std::size_t at, std::wstring *out) {
  std::size_t end = NameEnd(text, at + 1);
  // %? and %_?, the last results, end in a character no other name holds.
  const std::wstring_view before = text.substr(at + 1, end - at - 1);
  if (end < text.size() && text[end] == L'?' && (before.empty() || before == L"_")) ++end;
  if (end == at + 1) return kNoReference;
  *out += VariableValue(text.substr(at + 1, end - at - 1));
  return (end < text.size() && text[end] == L'%') ? end + 1 : end;
}

std::wstring ExpandNested(std::wstring_view text, int depth) {
  std::wstring out;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] != L'%' || at + 1 == text.size()) {
      out += text[at++];
      continue;
    }
    if (text[at + 1] == L'%') {
      out += L'%';
      at += 2;
      continue;
    }
    std::size_t next = ReadBracketed(text, at, &out);
    if (next == kNoReference) next = ReadFunction(text, at, depth, &out);
    if (next == kNoReference) next = ReadNamed(text, at, &out);
    if (next == kNoReference) {
      out += L'%';  // starts no reference: a percent sign as it stands
      next = at + 1;
    }
    at = next;
  }
  return out;
}

}  // namespace

std::wstring ExpandText(std::wstring_view text) { return ExpandNested(text, 0); }
