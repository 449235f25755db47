// The registry calls the palette code makes to read the user's colours: open for query,
// query a string value into a fixed buffer, close.
#include <cstring>

#include "tests/conformance/conformance_fixture.h"
#include "tests/conformance/seams.h"

namespace conformance {
namespace {

const char kKey[] = "Software\\voronoi-sweep conformance\\Colors";

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(seedRegistryString(kKey, "Scrollbar", "212 208 200"));
    ASSERT_TRUE(seedRegistryString(kKey, "Background", "0 78 152"));
  }
  void TearDown() override { removeSeededRegistryKey(kKey); }
};

TEST_F(Registry, OpensQueriesWithBufferSizesAndCloses) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  ASSERT_NE(key, nullptr);

  BYTE value[64];
  DWORD type = REG_NONE;
  DWORD size = sizeof value;
  ASSERT_EQ(RegQueryValueExA(key, "Scrollbar", nullptr, &type, value, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 12u);  // the text and its terminating zero
  EXPECT_STREQ(reinterpret_cast<const char*>(value), "212 208 200");

  // Names are matched without regard to case.
  size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key, "BACKGROUND", nullptr, &type, value, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 9u);

  // Too small a buffer: the size needed, and an error.
  size = 4;
  EXPECT_EQ(RegQueryValueExA(key, "Scrollbar", nullptr, &type, value, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 12u);
  // No buffer: just the size.
  size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Scrollbar", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 12u);

  size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key, "ActiveTitle", nullptr, &type, value, &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(Registry, AMissingKeyIsNotFound) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\voronoi-sweep conformance\\None", 0,
                          KEY_QUERY_VALUE, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
}

}  // namespace
}  // namespace conformance
