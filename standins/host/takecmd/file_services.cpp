// QueryIsFile, QueryIsDirectory and QueryTrueName.
#include <cwchar>

#include "hostapi/host_services.h"
#include "standins/host/takecmd/host_os.h"
#include "standins/host/takecmd/strict_mode.h"

int WINAPI QueryIsFile(const wchar_t *path) {
  return path && OsPathKind(path) == PathKind::kFile ? 1 : 0;
}

int WINAPI QueryIsDirectory(const wchar_t *path) {
  return path && OsPathKind(path) == PathKind::kDirectory ? 1 : 0;
}

// The result buffer is a host buffer; a true name that would not fit counts
// as one that cannot be resolved.
wchar_t *WINAPI QueryTrueName(const wchar_t *path, wchar_t *result) {
  if (!result) return nullptr;
  result[0] = L'\0';
  std::wstring trueName;
  if (!path || !OsTrueName(path, &trueName) || trueName.size() > kLongestHostResult) return nullptr;
  std::wmemcpy(result, trueName.c_str(), trueName.size() + 1);
  return result;
}
