// The POSIX stand-in registry: one value, the Task Scheduler's job folder,
// answered with Windows' rules for RegGetValueW.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "hostapi/win_api.h"
#include "tests/unit/host/host_test_support.h"

namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\Microsoft\\SchedulingAgent";
constexpr DWORD kUnexpanded = RRF_NOEXPAND | RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ;

class RegistryStandin : public testing::Test {
 protected:
  void TearDown() override { unsetenv("STANDIN_TASKSFOLDER"); }

  LSTATUS Read(const wchar_t *key, const wchar_t *value, DWORD flags, std::wstring *text,
               DWORD *type) {
    wchar_t data[512];
    DWORD bytes = sizeof data;
    const LSTATUS status = RegGetValueW(HKEY_LOCAL_MACHINE, key, value, flags, type, data, &bytes);
    if (status == ERROR_SUCCESS) {
      EXPECT_EQ(bytes, (std::wcslen(data) + 1) * sizeof(wchar_t));
      *text = data;
    }
    return status;
  }
};

TEST_F(RegistryStandin, HoldsTheTasksFolderAsWindowsStoresIt) {
  std::wstring text;
  DWORD type = 0;
  ASSERT_EQ(Read(kKey, L"TasksFolder", kUnexpanded, &text, &type), ERROR_SUCCESS);
  EXPECT_EQ(text, L"%SystemRoot%\\Tasks");
  EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
  // Key and value names ignore case, as Windows' do.
  EXPECT_EQ(
      Read(L"software\\microsoft\\schedulingagent", L"tasksfolder", kUnexpanded, &text, &type),
      ERROR_SUCCESS);
}

TEST_F(RegistryStandin, AskedForAPlainStringItExpands) {
  std::wstring root;
  ASSERT_TRUE(EnvironmentValue(L"SystemRoot", &root));
  std::wstring text;
  DWORD type = 0;
  ASSERT_EQ(Read(kKey, L"TasksFolder", RRF_RT_REG_SZ, &text, &type), ERROR_SUCCESS);
  EXPECT_EQ(text, root + L"\\Tasks");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Read(kKey, L"TasksFolder", RRF_RT_REG_EXPAND_SZ, &text, &type),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Read(kKey, L"TasksFolder", RRF_NOEXPAND | RRF_RT_REG_SZ, &text, &type),
            ERROR_UNSUPPORTED_TYPE);
}

TEST_F(RegistryStandin, TheEnvironmentReplacesOrRemovesTheValue) {
  std::wstring text;
  DWORD type;
  setenv("STANDIN_TASKSFOLDER", "/srv/jobs/\xC3\xA9t\xC3\xA9", 1);
  ASSERT_EQ(Read(kKey, L"TasksFolder", kUnexpanded, &text, &type), ERROR_SUCCESS);
  EXPECT_EQ(text, L"/srv/jobs/\u00e9t\u00e9");
  setenv("STANDIN_TASKSFOLDER", "-", 1);
  EXPECT_EQ(Read(kKey, L"TasksFolder", kUnexpanded, &text, &type), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Expanded(L"%@regquery[HKLM\\SOFTWARE\\Microsoft\\SchedulingAgent\\TasksFolder]"),
            L"-1");
}

TEST_F(RegistryStandin, OtherValuesDoNotExist) {
  std::wstring text;
  DWORD type;
  EXPECT_EQ(Read(kKey, L"Other", kUnexpanded, &text, &type), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Read(L"SOFTWARE\\Microsoft", L"TasksFolder", kUnexpanded, &text, &type),
            ERROR_FILE_NOT_FOUND);
  DWORD bytes = 0;
  const auto currentUser =
      reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u));  // HKEY_CURRENT_USER
  EXPECT_EQ(RegGetValueW(currentUser, kKey, L"TasksFolder", kUnexpanded, nullptr, nullptr, &bytes),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryStandin, SizesAsWindowsDoes) {
  DWORD needed = 0;
  ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, kKey, L"TasksFolder", kUnexpanded, nullptr, nullptr,
                         &needed),
            ERROR_SUCCESS);
  EXPECT_EQ(needed, sizeof(L"%SystemRoot%\\Tasks"));
  wchar_t small[4];
  DWORD bytes = sizeof small;
  EXPECT_EQ(
      RegGetValueW(HKEY_LOCAL_MACHINE, kKey, L"TasksFolder", kUnexpanded, nullptr, small, &bytes),
      ERROR_MORE_DATA);
  EXPECT_EQ(bytes, needed);
}

TEST_F(RegistryStandin, AFreshMachineHasASystemRootWithATasksFolder) {
  const char *root = std::getenv("SystemRoot");
  ASSERT_NE(root, nullptr);
  const std::string expected = "/tmp/tardo-standin-" + std::to_string(getuid()) + "/Windows";
  if (expected != root) GTEST_SKIP() << "SystemRoot was given from outside: " << root;
  struct stat status {};
  ASSERT_EQ(stat((expected + "/Tasks").c_str(), &status), 0);
  EXPECT_TRUE(S_ISDIR(status.st_mode));
}

}  // namespace
