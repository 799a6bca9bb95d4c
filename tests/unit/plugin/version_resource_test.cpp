// The version resource of Tardo.dll, read back the way Windows Explorer does.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::wstring PluginPath() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  return folder + L"Tardo.dll";
}

class VersionResource : public ::testing::Test {
 protected:
  void SetUp() override {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(PluginPath().c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version resource";
    data_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(PluginPath().c_str(), 0, size, data_.data()));
  }
  std::wstring String(const wchar_t *item) {
    std::wstring key = std::wstring(L"\\StringFileInfo\\040904b0\\") + item;
    void *value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data_.data(), key.c_str(), &value, &length)) return L"<missing>";
    return static_cast<const wchar_t *>(value);
  }
  std::vector<char> data_;
};

// The build's version, project(... VERSION), and 0 as the fourth part.
TEST_F(VersionResource, FixedVersionIsTheBuildsVersion) {
  constexpr DWORD kHigh = (TARDO_VERSION_MAJOR << 16) | TARDO_VERSION_MINOR;
  constexpr DWORD kLow = TARDO_VERSION_PATCH << 16;
  void *value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\", &value, &length));
  const auto *fixed = static_cast<const VS_FIXEDFILEINFO *>(value);
  EXPECT_EQ(fixed->dwFileVersionMS, kHigh);
  EXPECT_EQ(fixed->dwFileVersionLS, kLow);
  EXPECT_EQ(fixed->dwProductVersionMS, kHigh);
  EXPECT_EQ(fixed->dwProductVersionLS, kLow);
}

TEST_F(VersionResource, TranslationIsUsEnglishUnicode) {
  void *value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  const auto *pair = static_cast<const WORD *>(value);
  EXPECT_EQ(pair[0], 0x0409);
  EXPECT_EQ(pair[1], 0x04b0);
}

TEST_F(VersionResource, StringsAreExact) {
  EXPECT_EQ(String(L"FileDescription"), L"Tardo plugin for Take Command");
  EXPECT_EQ(String(L"FileVersion"), L"" TARDO_VERSION);
  EXPECT_EQ(String(L"InternalName"), L"Tardo");
  EXPECT_EQ(String(L"OriginalFilename"), L"tardo.dll");
  EXPECT_EQ(String(L"ProductName"), L"Tardo plugin");
  EXPECT_EQ(String(L"ProductVersion"), L"" TARDO_VERSION);
  // The name of a machine or of the release build: never a path or an account.
  const std::wstring built_on = String(L"Built On");
  EXPECT_FALSE(built_on.empty());
  EXPECT_EQ(built_on.find_first_not_of(
                L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._- "),
            std::wstring::npos)
      << built_on;
}

TEST_F(VersionResource, BuildIsADateAndTime) {
  const std::wstring build = String(L"Build");
  ASSERT_EQ(build.size(), 19u) << "YYYY-MM-DD hh:mm:ss";
  for (size_t i = 0; i < build.size(); ++i) {
    const wchar_t expected = i == 4 || i == 7     ? L'-'
                             : i == 10            ? L' '
                             : i == 13 || i == 16 ? L':'
                                                  : L'9';
    if (expected == L'9')
      EXPECT_TRUE(build[i] >= L'0' && build[i] <= L'9') << i;
    else
      EXPECT_EQ(build[i], expected) << i;
  }
}

}  // namespace
