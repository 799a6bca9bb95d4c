#include "standins/host/takecmd/registry_query.h"

#include <vector>

#include "hostapi/win_api.h"
#include "standins/common/ascii_case.h"

bool QueryRegistryText(std::wstring_view path, std::wstring *text) {
  // HKLM\sub\key\value: the key ends at the last backslash.
  const std::size_t rootEnd = path.find(L'\\');
  const std::size_t valueStart = path.rfind(L'\\');
  if (rootEnd == std::wstring_view::npos ||
      !EqualsIgnoringAsciiCase(path.substr(0, rootEnd), L"HKLM"))
    return false;
  const HKEY root = HKEY_LOCAL_MACHINE;
  const std::wstring subKey(
      valueStart > rootEnd ? path.substr(rootEnd + 1, valueStart - rootEnd - 1) : L"");
  const std::wstring valueName(path.substr(valueStart + 1));

  const DWORD flags = RRF_NOEXPAND | RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ;
  DWORD bytes = 0;
  if (RegGetValueW(root, subKey.c_str(), valueName.c_str(), flags, nullptr, nullptr, &bytes) !=
      ERROR_SUCCESS)
    return false;
  // The value can grow between the two calls: ask again with its new size.
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const LSTATUS status =
        RegGetValueW(root, subKey.c_str(), valueName.c_str(), flags, nullptr, data.data(), &size);
    if (status == ERROR_SUCCESS) {
      data.back() = L'\0';
      *text = data.data();
      return true;
    }
    if (status != ERROR_MORE_DATA) return false;
    bytes = size;
  }
  return false;
}
