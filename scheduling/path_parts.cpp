#include "scheduling/path_parts.h"

#include "hostapi/host_services.h"
#include "hostapi/wide_text.h"

namespace {

bool IsSlash(wchar_t ch) { return ch == L'/' || ch == L'\\'; }

}  // namespace

int AppendPathComponent(wchar_t *path, const wchar_t *name) {
  if (path == nullptr || name == nullptr) return -1;
  const int pathLength = TextLength(path);
  const bool separator = pathLength > 0 && !IsSlash(path[pathLength - 1]) &&
                         path[pathLength - 1] != L':' && !IsSlash(name[0]);
  // A cut-short path would name some other file: refuse it whole.
  if (pathLength + (separator ? 1 : 0) + TextLength(name) > kHostBufferChars - 1) return -1;
  if (separator) AppendText(path, L"\\", kHostBufferChars);
  AppendText(path, name, kHostBufferChars);
  return 0;
}

wchar_t *DirectoryPart(wchar_t *destination, const wchar_t *source) {
  if (source == nullptr || source[0] == L'\0') return nullptr;
  int cut = -1;
  bool slashSeen = false;
  for (int i = 0; source[i] != L'\0'; ++i) {
    if (IsSlash(source[i])) {
      cut = i;
      slashSeen = true;
    } else if (source[i] == L':' && !slashSeen) {
      cut = i;
    }
  }
  if (cut < 0 || cut + 1 > kHostBufferChars - 1) return nullptr;
  for (int i = 0; i <= cut; ++i) destination[i] = source[i];
  destination[cut + 1] = L'\0';
  return destination;
}
