// Mesa's software renderer (llvmpipe, what Xvfb, virtual machines and machines without a GPU
// driver render with) allocates and frees buffers of a few hundred kilobytes to about a
// megabyte in every frame: vertex buffers, the vertices its pipeline shades, the binned
// scene. With glibc's defaults each such buffer is either a fresh mapping or grows the heap,
// and each free at the top of the heap gives the pages back to the system (tens of brk calls
// a frame at 199 sites), so that every frame writes into pages the kernel must fault in and
// zero again: nearly half of the sweep's processor time went there. Keeping the top of
// the heap and serving these blocks from it lets every frame reuse the pages of the one
// before. The price is resident memory: the heap stays at the largest a frame has needed.
#include "platform/x11/x11_heap.h"

#include <malloc.h>

namespace {

// Blocks up to this size come from the heap (glibc's largest; its default starts at 128 KiB
// and moves with what is freed).
constexpr int HEAP_SERVES_UP_TO = 32 << 20;
// Free memory at the top of the heap is handed back only beyond this.
constexpr int KEEP_FREE_TOP = 128 << 20;
// Each growth of the heap takes this much more than asked for, so that a frame's buffers do
// not grow it a page run at a time.
constexpr int GROWTH_PAD = 16 << 20;

}  // namespace

void x11KeepHeapForFrames() {
  mallopt(M_MMAP_THRESHOLD, HEAP_SERVES_UP_TO);
  mallopt(M_TRIM_THRESHOLD, KEEP_FREE_TOP);
  mallopt(M_TOP_PAD, GROWTH_PAD);
}
