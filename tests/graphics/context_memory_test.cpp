#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "graphics/rasterkit.h"

namespace {

struct ContextsClosed : testing::Test {
  void TearDown() override {
    RK_shutdown();
    EXPECT_EQ(RK_liveContextCount(), 0);
  }
};

using MemoryContexts = ContextsClosed;
using Mirror = ContextsClosed;
using SurfaceAccess = ContextsClosed;

}  // namespace

TEST_F(MemoryContexts, EveryDepthGetsItsRowLengthAndLayout) {
  struct Case {
    int bits, width, bytesPerLine;
    uint32_t maxColor;
  };
  for (const Case c : {Case{1, 13, 2, 1}, Case{4, 5, 3, 15}, Case{8, 7, 7, 255}, Case{15, 3, 6, 32767},
                       Case{16, 3, 6, 65535}, Case{24, 3, 9, 0xFFFFFF}, Case{32, 3, 12, 0xFFFFFFFF}}) {
    DeviceContext *dc = RK_openMemoryContext(c.width, 4, c.bits, nullptr);
    ASSERT_NE(dc, nullptr) << c.bits;
    EXPECT_EQ(dc->bytesPerLine, c.bytesPerLine) << c.bits;
    EXPECT_EQ(dc->maxColor, c.maxColor) << c.bits;
    EXPECT_EQ(dc->kind, RK_KindMemory);
    EXPECT_TRUE(RK_isMemoryContext(dc));
    EXPECT_FALSE(RK_isDisplayContext(dc));
    EXPECT_EQ(RK_pixelDepth(dc), c.bits);
    EXPECT_EQ(RK_lastColumn(dc), c.width - 1);
    EXPECT_EQ(RK_lastRow(dc), 3);
    EXPECT_EQ(RK_lastPage(dc), 0);
    EXPECT_EQ(dc->bounds.right, c.width);
    EXPECT_EQ(dc->accessDepth, -1);
    ASSERT_NE(dc->palette, nullptr);
    ASSERT_NE(dc->surface, nullptr);
    // The surface starts cleared and every byte of it is writable.
    std::vector<uint8_t> zeros(static_cast<size_t>(dc->bytesPerLine * 4), 0);
    EXPECT_EQ(std::memcmp(dc->surface, zeros.data(), zeros.size()), 0);
    std::memset(dc->surface, 0xAB, zeros.size());
    EXPECT_EQ(RK_closeContext(dc), 1);
  }
  EXPECT_EQ(RK_liveContextCount(), 0);
}

TEST_F(MemoryContexts, DirectColourTakesTheGivenOrTheUsualLayout) {
  DeviceContext *dc16 = RK_openMemoryContext(4, 4, 16, nullptr);
  ASSERT_NE(dc16, nullptr);
  PixelFormat pf{};
  RK_pixelLayout(dc16, &pf);
  EXPECT_EQ(pf.redMask, 31);
  EXPECT_EQ(pf.redPos, 11);
  EXPECT_EQ(pf.greenMask, 63);
  EXPECT_EQ(pf.greenAdjust, 2);
  EXPECT_EQ(dc16->greenSize, 6);
  EXPECT_EQ(dc16->redPos, 11);

  const PixelFormat bgr = RK_pixelFormatFromChannels(8, 0, 8, 8, 8, 16, 8, 24);
  DeviceContext *dc32 = RK_openMemoryContext(4, 4, 32, &bgr);
  ASSERT_NE(dc32, nullptr);
  EXPECT_EQ(dc32->pixelFormat.bluePos, 16);
  EXPECT_EQ(dc32->alphaSize, 8);
}

TEST_F(MemoryContexts, BadRequestsAreRefusedWithTheirCodes) {
  EXPECT_EQ(RK_openMemoryContext(4, 4, 12, nullptr), nullptr);
  EXPECT_EQ(RK_lastError(), -6);
  EXPECT_EQ(RK_openMemoryContext(0, 4, 8, nullptr), nullptr);
  EXPECT_EQ(RK_lastError(), -6);
  EXPECT_EQ(RK_openMemoryContext(4, -1, 8, nullptr), nullptr);
  EXPECT_EQ(RK_lastError(), -6);
  // A given row length shorter than a row would let drawing run into the
  // next row's memory or past the end.
  uint8_t buffer[16];
  EXPECT_EQ(RK_openMemoryContext(8, 2, 8, nullptr, 7, buffer), nullptr);
  EXPECT_EQ(RK_lastError(), -6);
  // Channel layouts that would shift outside the pixel.
  PixelFormat wide = RK_pixelFormatFromChannels(5, 11, 6, 5, 5, 0, 0, 0);
  wide.redPos = 40;
  EXPECT_EQ(RK_openMemoryContext(4, 4, 16, &wide), nullptr);
  EXPECT_EQ(RK_lastError(), -30);
  PixelFormat ragged = RK_pixelFormatFromChannels(8, 16, 8, 8, 8, 0, 0, 0);
  ragged.greenMask = 0x5A;
  EXPECT_EQ(RK_openMemoryContext(4, 4, 32, &ragged), nullptr);
  EXPECT_EQ(RK_lastError(), -30);
  // Too large to address: refused, nothing left behind.
  EXPECT_EQ(RK_openMemoryContext(70000, 70000, 32, nullptr), nullptr);
  EXPECT_EQ(RK_lastError(), -10);
  EXPECT_EQ(RK_liveContextCount(), 0);
}

TEST_F(MemoryContexts, CallerSurfaceIsUsedAndNotFreed) {
  std::vector<uint8_t> pixels(32 * 3, 0);
  DeviceContext *dc = RK_openMemoryContext(30, 3, 8, nullptr, 32, pixels.data());
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->surface, pixels.data());
  EXPECT_EQ(dc->bytesPerLine, 32);
  RK_selectContext(dc);
  RK_currentMirror()->attributes.backColor = 9;
  RK_clearCurrent();
  EXPECT_EQ(pixels[0], 9);
  EXPECT_EQ(pixels[2 * 32 + 29], 9);
  EXPECT_EQ(pixels[30], 0) << "padding between rows stays untouched";
  EXPECT_EQ(RK_closeContext(dc), 1);
  pixels[0] = 1;  // still ours (the sanitizer build proves it was not freed)
}

TEST_F(MemoryContexts, ClosingChecksMembershipFirst) {
  EXPECT_EQ(RK_closeContext(nullptr), 1);
  DeviceContext stranger{};
  stranger.kind = RK_KindMemory;
  EXPECT_EQ(RK_closeContext(&stranger), 0);
  EXPECT_EQ(RK_lastError(), -17);
  DeviceContext *dc = RK_openMemoryContext(4, 4, 8, nullptr);
  RK_selectContext(dc);
  // The mirror is not a context of its own.
  EXPECT_EQ(RK_closeContext(RK_currentMirror()), 0);
  EXPECT_EQ(RK_lastError(), -17);
  EXPECT_EQ(RK_currentContext(), dc);
  EXPECT_EQ(RK_closeContext(dc), 1);
  EXPECT_EQ(RK_currentContext(), nullptr);
  EXPECT_EQ(RK_closeContext(dc), 0) << "a second close of the same record";
  EXPECT_EQ(RK_lastError(), -17);
}

TEST_F(MemoryContexts, DefaultAttributesAreAppliedAndLeaveTheCurrentAlone) {
  DeviceContext *dc = RK_openMemoryContext(20, 10, 8, nullptr);
  const ContextAttributes &a = dc->attributes;
  EXPECT_EQ(a.color, 15u);
  EXPECT_EQ(a.penWidth, 0) << "applying the pen turns 1 into 0";
  EXPECT_EQ(a.lineStyle, 0xFFFFu);
  EXPECT_EQ(a.viewport.right, 20);
  EXPECT_EQ(a.clip.bottom, 10);
  EXPECT_EQ(a.text.direction, 2);
  EXPECT_EQ(RK_currentContext(), nullptr);
}

TEST_F(Mirror, SelectionCopiesBackAndForth) {
  DeviceContext *a = RK_openMemoryContext(4, 4, 8, nullptr);
  DeviceContext *b = RK_openMemoryContext(4, 4, 8, nullptr);
  EXPECT_EQ(RK_selectContext(a), nullptr);
  EXPECT_EQ(RK_currentContext(), a);
  EXPECT_EQ(RK_resolveContext(a), RK_currentMirror());
  EXPECT_EQ(RK_resolveContext(b), b);

  RK_setDrawColor(42);
  EXPECT_EQ(RK_currentMirror()->attributes.color, 42u);
  EXPECT_EQ(a->attributes.color, 15u) << "the record is stale while current";
  // Selecting the current context or the mirror changes nothing.
  EXPECT_EQ(RK_selectContext(a), a);
  EXPECT_EQ(RK_selectContext(RK_currentMirror()), a);
  EXPECT_EQ(a->attributes.color, 15u);

  EXPECT_EQ(RK_selectContext(b), a);
  EXPECT_EQ(a->attributes.color, 42u) << "the change reached the record";
  EXPECT_EQ(RK_currentMirror()->attributes.color, 15u);
  EXPECT_EQ(RK_selectContext(nullptr), b);
  EXPECT_EQ(RK_currentContext(), nullptr);
}

TEST_F(Mirror, SyncCopiesDirectChangesOnlyForTheCurrent) {
  DeviceContext *a = RK_openMemoryContext(4, 4, 8, nullptr);
  DeviceContext *b = RK_openMemoryContext(4, 4, 8, nullptr);
  RK_selectContext(a);
  a->attributes.backColor = 7;
  EXPECT_EQ(RK_currentMirror()->attributes.backColor, 0u);
  RK_syncCurrent(b);
  EXPECT_EQ(RK_currentMirror()->attributes.backColor, 0u);
  RK_syncCurrent(a);
  EXPECT_EQ(RK_currentMirror()->attributes.backColor, 7u);
}

TEST_F(Mirror, ResetOfTheCurrentContextReachesTheMirror) {
  DeviceContext *a = RK_openMemoryContext(4, 4, 8, nullptr);
  RK_selectContext(a);
  RK_setDrawColor(3);
  RK_currentMirror()->attributes.writeMode = 2;
  RK_resetAttributes(a);
  EXPECT_EQ(RK_currentContext(), a);
  EXPECT_EQ(RK_currentMirror()->attributes.color, 15u);
  EXPECT_EQ(RK_currentMirror()->attributes.writeMode, 0);
}

TEST_F(Mirror, ClearFillsWithTheBackgroundAndKeepsTheWriteMode) {
  DeviceContext *dc = RK_openMemoryContext(5, 3, 8, nullptr);
  RK_selectContext(dc);
  DeviceContext *m = RK_currentMirror();
  m->attributes.backColor = 200;
  m->attributes.writeMode = 3;
  m->attributes.viewport = RK_Rect{1, 1, 2, 2};
  RK_clearCurrent();
  for (int i = 0; i < 15; ++i) EXPECT_EQ(dc->surface[i], 200) << i;
  EXPECT_EQ(m->attributes.writeMode, 3);
}

namespace {
int locks = 0;
int unlocks = 0;
void countLock(DeviceContext *) {
  ++locks;
}
void countUnlock(DeviceContext *) {
  ++unlocks;
}
}  // namespace

TEST_F(SurfaceAccess, NestedAccessLocksOnceAndUnlocksOnce) {
  DeviceContext *dc = RK_openMemoryContext(4, 4, 8, nullptr);
  dc->driver.beginAccess = countLock;
  dc->driver.endAccess = countUnlock;
  RK_selectContext(dc);
  locks = unlocks = 0;
  RK_beginSurfaceAccess();
  EXPECT_EQ(locks, 1);
  RK_beginSurfaceAccess();
  EXPECT_EQ(locks, 1);
  EXPECT_EQ(RK_currentMirror()->accessDepth, 1);
  RK_endSurfaceAccess();
  EXPECT_EQ(unlocks, 0);
  RK_endSurfaceAccess();
  EXPECT_EQ(unlocks, 1);
  EXPECT_EQ(RK_currentMirror()->accessDepth, -1);
  // An unmatched end does not unlock again or drive the counter below -1.
  RK_endSurfaceAccess();
  EXPECT_EQ(unlocks, 1);
  EXPECT_EQ(RK_currentMirror()->accessDepth, -1);
  RK_selectContext(nullptr);
  RK_beginSurfaceAccess();  // nothing current: nothing to lock
  EXPECT_EQ(locks, 1);
}
