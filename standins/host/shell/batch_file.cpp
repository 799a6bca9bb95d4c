#include "standins/host/shell/batch_file.h"

#include "hostapi/host_services.h"
#include "standins/common/utf8_text.h"
#include "standins/host/shell/shell_messages.h"
#include "standins/host/shell/shell_os.h"
#include "standins/host/takecmd/host_control.h"

// Deep enough for any real script, shallow enough to stop a file that calls itself.
constexpr int kDeepestBatch = 32;

namespace {

std::vector<std::wstring> SplitLines(const std::string &bytes) {
  std::vector<std::wstring> lines;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::size_t length = end - at;
    if (length > 0 && bytes[at + length - 1] == '\r') --length;
    lines.push_back(Utf8ToWide(std::string_view(bytes).substr(at, length)));
    at = end + 1;
  }
  return lines;
}

// A line that ends in a ^ which no ^ before it escapes goes on in the next.
bool JoinsNextLine(const std::wstring &line) {
  const std::size_t carets = line.size() - (line.find_last_not_of(L'^') + 1);  // npos + 1 is 0
  return carets % 2 == 1;
}

}  // namespace

// A variable's value, to be put back as it was (unset included).
struct SavedVariable {
  const wchar_t *name;
  bool set;
  std::wstring value;
};

namespace {

SavedVariable Save(const wchar_t *name) {
  std::vector<wchar_t> value(kLineBufferChars, L'\0');
  const bool set = HostGetVariable(name, value.data(), kLineBufferChars) >= 0;
  return {name, set, value.data()};
}

void Restore(const SavedVariable &saved) {
  HostSetVariable(saved.name, saved.set ? saved.value.c_str() : nullptr);
}

std::wstring FullPath(const std::wstring &path) {
  std::vector<wchar_t> result(kHostBufferChars, L'\0');
  QueryTrueName(path.c_str(), result.data());
  return result[0] != L'\0' ? std::wstring(result.data()) : path;
}

}  // namespace

int RunBatchFile(ShellState *state, const std::wstring &path) {
  std::string bytes;
  if (!OsReadFile(path, &bytes)) {
    ShellError(L"cannot read batch file " + path);
    return 1;
  }
  if (state->batchDepth == kDeepestBatch) {
    ShellError(L"batch files nested too deeply at " + path);
    return 1;
  }
  const SavedVariable saved[] = {Save(L"_batch"), Save(L"_batchname"), Save(L"_batchline")};

  ++state->batchDepth;
  HostSetVariable(L"_batch", std::to_wstring(state->batchDepth).c_str());
  HostSetVariable(L"_batchname", FullPath(path).c_str());

  state->lastResult = 0;
  const std::vector<std::wstring> lines = SplitLines(bytes);
  for (std::size_t i = 0; i < lines.size() && !state->exitRequested; ++i) {
    HostSetVariable(L"_batchline", std::to_wstring(i + 1).c_str());
    std::wstring line = lines[i];
    while (JoinsNextLine(line) && i + 1 < lines.size()) {
      line.pop_back();
      line += lines[++i];
    }
    state->runLine(state, line);
  }

  --state->batchDepth;
  for (const SavedVariable &variable : saved) Restore(variable);
  return state->lastResult;
}
