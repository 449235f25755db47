// The registry of the current user, the system colours and the process services.
#include <cstring>
#include <string>

#include "tests/platform/platform_fixture.h"

namespace {

using Registry = FreshPlatform;
using SystemColours = FreshPlatform;
using ProcessServices = FreshPlatform;

const char* const kColours = "Control Panel\\Colors";

TEST_F(Registry, AStringValueIsReadWithItsTypeAndTerminatingZero) {
  platformtest::setRegistryString(kColours, "Window", "10 20 300");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "control panel\\COLORS", 0, KEY_QUERY_VALUE, &key),
            ERROR_SUCCESS);  // paths and names match without regard to case
  char buffer[64];
  DWORD type = REG_NONE;
  DWORD bytes = sizeof buffer;
  ASSERT_EQ(RegQueryValueExA(key, "window", nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                             &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, 10u);
  EXPECT_STREQ(buffer, "10 20 300");
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(Registry, ABufferTooSmallGetsNothingButTheSizeNeeded) {
  platformtest::setRegistryString(kColours, "Menu", "255 255 255");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kColours, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  DWORD bytes = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key, "Menu", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                             &bytes),
            ERROR_MORE_DATA);
  EXPECT_EQ(bytes, 12u);
  EXPECT_EQ(buffer[0], 'x');
  bytes = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Menu", nullptr, nullptr, nullptr, &bytes), ERROR_SUCCESS);
  EXPECT_EQ(bytes, 12u);
  RegCloseKey(key);
}

TEST_F(Registry, MissingKeysAndValuesAreNotFoundAndClosedKeysAreGone) {
  HKEY key = reinterpret_cast<HKEY>(static_cast<uintptr_t>(1));
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kColours, 0, KEY_QUERY_VALUE, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);

  platformtest::setRegistryValue(kColours, "Scrollbar", REG_DWORD, "\x01\x02\x03\x04", 4);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kColours, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  BYTE buffer[64];
  DWORD type = REG_NONE;
  DWORD bytes = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key, "Scrollbar", nullptr, &type, buffer, &bytes), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  bytes = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key, "Background", nullptr, &type, buffer, &bytes),
            ERROR_FILE_NOT_FOUND);

  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  bytes = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key, "Scrollbar", nullptr, &type, buffer, &bytes),
            ERROR_INVALID_HANDLE);

  platformtest::removeRegistryKey(kColours);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kColours, 0, KEY_QUERY_VALUE, &key),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(SystemColours, StartFromAPlainSchemeAndChangeAllOrNothing) {
  EXPECT_EQ(GetSysColor(5), RGB(255, 255, 255));  // window background
  EXPECT_EQ(GetSysColor(8), RGB(0, 0, 0));        // window text
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(PLATFORM_SYS_COLOUR_COUNT), 0u);

  const int indices[] = {0, 24};
  const COLORREF colours[] = {PALETTERGB(255, 255, 255), PALETTERGB(0, 0, 0)};
  ASSERT_TRUE(SetSysColors(2, indices, colours));
  EXPECT_EQ(GetSysColor(0), 0x02FFFFFFu);
  EXPECT_EQ(GetSysColor(24), 0x02000000u);

  const int badIndices[] = {1, 99};
  const COLORREF before = GetSysColor(1);
  EXPECT_FALSE(SetSysColors(2, badIndices, colours));
  EXPECT_EQ(GetSysColor(1), before);
}

TEST_F(ProcessServices, TheVersionIsWindowsNtTenUnlessScripted) {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = 148;
  ASSERT_TRUE(GetVersionExA(&info));
  EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
  EXPECT_EQ(info.dwMajorVersion, 10u);
  EXPECT_EQ(info.dwMinorVersion, 0u);

  platformtest::setVersion(VER_PLATFORM_WIN32_NT, 3, 51);
  ASSERT_TRUE(GetVersionExA(&info));
  EXPECT_EQ(info.dwMajorVersion, 3u);
  EXPECT_EQ(info.dwMinorVersion, 51u);
  EXPECT_EQ(info.dwOSVersionInfoSize, 148u);

  info.dwOSVersionInfoSize = 100;  // a record of another size is refused
  EXPECT_FALSE(GetVersionExA(&info));
}

TEST_F(ProcessServices, LocalMemoryIsZeroFilledOnRequestAndGivenBackOnce) {
  BYTE* block = static_cast<BYTE*>(LocalAlloc(LMEM_ZEROINIT, 1000));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(block[i], 0) << i;
  EXPECT_EQ(platformtest::liveLocalAllocations(), 1);
  EXPECT_EQ(LocalFree(block), nullptr);
  EXPECT_EQ(platformtest::liveLocalAllocations(), 0);

  int notLocal = 0;
  EXPECT_EQ(LocalFree(&notLocal), &notLocal);  // not LocalAlloc's: handed back, untouched
}

TEST_F(ProcessServices, TheModuleHandleIsTheProgramsOwn) {
  EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
  EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr));
  EXPECT_EQ(GetModuleHandleA("user32.dll"), nullptr);
}

TEST_F(ProcessServices, ExitProcessEndsWithTheStatusOrOneWithoutADisplay) {
  EXPECT_EXIT(ExitProcess(3), ::testing::ExitedWithCode(3), "");
  platformtest::setDisplayAvailable(false);
  EXPECT_EXIT(ExitProcess(0), ::testing::ExitedWithCode(1), "");
}

}  // namespace
