// SPDX-License-Identifier: MIT
// Tests of frame buffer allocation: no area, reallocation, memory other than the heap, and sizes
// that cannot be held.
#include "render/frame_buffer.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/resource.h>
#endif
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <tuple>

namespace quillmoor {
namespace {

// Sizes without an area succeed with no buffer; sizes too large fail, never throw, and leave
// no buffer either. 65536 x 65537 would wrap to 65536 pixels in 32 bits.
TEST(FrameBuffer, NoAreaOrTooLargeLeavesNoBuffer) {
  const std::tuple<int, int, bool> cases[] = {{0, 5, true},
                                              {5, 0, true},
                                              {-1, 7, true},
                                              {INT_MIN, INT_MIN, true},
                                              {100000, 100000, false},
                                              {INT_MAX, INT_MAX, false},
                                              {INT_MAX, 1, false},
                                              {65536, 65537, false}};
  for (const auto& [width, height, result] : cases) {
    FrameBuffer buffer;
    ASSERT_TRUE(ResizeFrameBuffer(buffer, 2, 2));
    bool ok = !result;
    EXPECT_NO_THROW(ok = ResizeFrameBuffer(buffer, width, height));
    EXPECT_EQ(ok, result) << width << " x " << height;
    EXPECT_TRUE(!buffer && buffer.width == 0 && buffer.height == 0) << width << " x " << height;
  }
}

TEST(FrameBuffer, EveryResizeGivesAClearedArray) {
  FrameBuffer buffer;
  ASSERT_TRUE(ResizeFrameBuffer(buffer, 1, 1));
  EXPECT_EQ(buffer.pixels[0], 0u);
  // The old array is released first, so the allocator may hand the same memory back.
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(ResizeFrameBuffer(buffer, 37, 11));
    ASSERT_TRUE(buffer && buffer.width == 37 && buffer.height == 11);
    Pixel* begin = buffer.pixels.get();
    EXPECT_TRUE(std::all_of(begin, begin + 37 * 11, [](Pixel p) { return p == 0; }));
    std::fill(begin, begin + 37 * 11, 0x00ABCDEF);
  }
}

// Memory that hands out at most one array at a time and counts what comes back.
class OneArrayMemory final : public PixelMemory {
 public:
  explicit OneArrayMemory(std::size_t room) : room_(room) {}
  Pixel* Allocate(std::size_t count) override {
    if (count > room_ || lent_) {
      return nullptr;
    }
    lent_ = true;
    return store_.data();
  }
  void Release(Pixel* pixels) override {
    EXPECT_EQ(pixels, store_.data());
    lent_ = false;
    ++released_;
  }
  bool Lent() const { return lent_; }
  int Released() const { return released_; }
  const Pixel* Store() const { return store_.data(); }

 private:
  std::size_t room_;
  std::array<Pixel, 64> store_{};
  bool lent_ = false;
  int released_ = 0;
};

// The pixels come from the memory given while it has room, else from the heap, and each array
// goes back where it came from, on a resize or with the buffer.
TEST(FrameBuffer, PixelsGoBackWhereTheyCameFrom) {
  OneArrayMemory memory(48);
  {
    FrameBuffer buffer;
    ASSERT_TRUE(ResizeFrameBuffer(buffer, 8, 6, 7, &memory));
    EXPECT_EQ(buffer.pixels.get(), memory.Store());
    EXPECT_TRUE(std::all_of(memory.Store(), memory.Store() + 48, [](Pixel p) { return p == 7; }));
    ASSERT_TRUE(ResizeFrameBuffer(buffer, 7, 7, 0, &memory));
    EXPECT_NE(buffer.pixels.get(), memory.Store());
    EXPECT_EQ(memory.Released(), 1);
    ASSERT_TRUE(ResizeFrameBuffer(buffer, 6, 8, 0, &memory));
    EXPECT_EQ(buffer.pixels.get(), memory.Store());
    EXPECT_EQ(memory.Released(), 1);
  }
  EXPECT_FALSE(memory.Lent());
  EXPECT_EQ(memory.Released(), 2);
}

// The address-space cap is a POSIX resource limit; Windows builds share the same failure path.
// A death test runs in a child process, which WebAssembly under node cannot make.
#if !defined(_WIN32) && GTEST_HAS_DEATH_TEST
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

// Exits with 0 when a resize the capped address space cannot hold fails cleanly.
[[noreturn]] void ResizeUnderAddressSpaceCap() {
  long pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  const auto limit =
      static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (rlim_t{256} << 20);
  const rlimit cap{limit, limit};
  setrlimit(RLIMIT_AS, &cap);
  FrameBuffer buffer;
  const bool ok = ResizeFrameBuffer(buffer, 4, 4) && !ResizeFrameBuffer(buffer, 20000, 20000);
  std::exit(ok && !buffer && buffer.width == 0 && buffer.height == 0 ? 0 : 1);
}

// A size within the limit that the memory at hand cannot hold: the allocation itself fails.
TEST(FrameBufferDeathTest, AllocationFailureLeavesNoBuffer) {
  if (kAddressSanitizer) {
    GTEST_SKIP() << "the address sanitizer reserves more address space than the cap allows";
  }
  EXPECT_EXIT(ResizeUnderAddressSpaceCap(), ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace quillmoor
