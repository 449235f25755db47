// Once the X11 driver is connected, a large block comes from the heap and its pages stay
// with the process when it is freed: the OpenGL driver's per-frame buffers then reuse them.
#include "tests/x11/driver_fixture.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <unistd.h>

#include <cstdlib>
#include <cstring>

extern char end;  // the end of the program's data: the heap lies beyond it

namespace x11test {
namespace {

using HeapTest = X11DriverTest;

TEST_F(HeapTest, LargeBlocksComeFromTheHeapAndStayThereWhenFreed) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "AddressSanitizer's allocator replaces the C library's";
#endif
  ASSERT_NE(openWindow("heap", 10, 10, 64, 64), nullptr);  // connects the driver
  // Larger than anything glibc serves from the heap by default (its threshold moves with
  // what is freed, up to 32 MiB on 64-bit systems, but only after such a block was freed).
  const size_t size = 24u << 20;
  char* block = static_cast<char*>(std::malloc(size));
  ASSERT_NE(block, nullptr);
  std::memset(block, 1, size);
  char* const heapTop = static_cast<char*>(sbrk(0));
  const bool inHeap = block > &end && block + size <= heapTop;
  std::free(block);
  EXPECT_TRUE(inHeap) << "a mapping of its own";
  EXPECT_EQ(static_cast<char*>(sbrk(0)), heapTop) << "the heap gave the block back";
}

}  // namespace
}  // namespace x11test
