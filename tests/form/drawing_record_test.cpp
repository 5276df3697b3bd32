// The record of the plot surface's drawing: which operations are drawn, which
// are kept for drawing again, and what happens when its capacity runs out.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine/window_services.h"
#include "window/drawing_record.h"

namespace aurisplot {

void PrintTo(const DrawingOperation& op, std::ostream* os) {
    *os << "{kind " << static_cast<int>(op.kind) << ", setting " << op.setting << ", colour "
        << op.colour << ", (" << op.x1 << ", " << op.y1 << ") to (" << op.x2 << ", " << op.y2
        << ")}";
}

namespace testing {
namespace {

using Op = DrawingOperation;

const Op kLine = Op::line(15, 15, 150, 15, 0);
const Op kOtherLine = Op::line(15, 30, 150, 30, 0);
const Op kRedLine = Op::line(15, 15, 150, 15, 255);
const Op kBox = Op::box(1, 3588.75F, 6585, 1, 255);
const Op kCopyPen = Op::drawMode(kDrawModeCopyPen);
const Op kMaskPen = Op::drawMode(kDrawModeMaskPen);

// Performs operations on a record and notes which it was asked to draw.
class Drawer {
  public:
    explicit Drawer(std::size_t capacity = DrawingRecord::kCapacity)
        : record(kDrawModeCopyPen, 1, capacity) {}

    void perform(const Op& op) {
        EXPECT_TRUE(record.perform(op, [this](const Op& done) {
            drawn.push_back(done);
            return true;
        }));
    }
    // As a surface that refuses the operation at its scale.
    void refuse(const Op& op) {
        EXPECT_FALSE(record.perform(op, [](const Op& /*refused*/) { return false; }));
    }

    DrawingRecord record;
    std::vector<Op> drawn;
};

TEST(DrawingRecord, SkipsOnlyAnOperationIdenticalToTheOneJustDrawn) {
    struct Case {
        std::string name;
        std::vector<Op> asked;
        std::vector<Op> drawn;
    };
    const std::vector<Case> cases{
        {"the same line twice", {kLine, kLine, kLine}, {kLine}},
        {"the same draw mode twice", {kMaskPen, kMaskPen, kBox, kBox}, {kMaskPen, kBox}},
        {"the same place in another colour", {kLine, kRedLine, kLine}, {kLine, kRedLine, kLine}},
        {"a line between", {kLine, kOtherLine, kLine}, {kLine, kOtherLine, kLine}},
        {"a setting between that changes nothing",
         {kLine, kCopyPen, kLine},
         {kLine, kCopyPen, kLine}},
        {"a width between", {kBox, Op::drawWidth(1), kBox}, {kBox, Op::drawWidth(1), kBox}},
        {"a line and a box on the same corners",
         {Op::line(1, 1, 2, 2, 0), Op::box(1, 1, 2, 2, 0)},
         {Op::line(1, 1, 2, 2, 0), Op::box(1, 1, 2, 2, 0)}},
    };
    for (const Case& c : cases) {
        Drawer drawer;
        for (const Op& op : c.asked) {
            drawer.perform(op);
        }
        EXPECT_EQ(drawer.drawn, c.drawn) << c.name;
        // What was drawn is what the record keeps for drawing again.
        EXPECT_EQ(
            std::vector<Op>(drawer.record.operations().begin(), drawer.record.operations().end()),
            c.drawn)
            << c.name;
    }
}

TEST(DrawingRecord, ARefusedOperationIsKeptAndItsRepeatIsTriedAgain) {
    Drawer drawer;
    drawer.refuse(kLine);
    drawer.perform(kLine);
    EXPECT_EQ(drawer.drawn, std::vector<Op>{kLine});
    // Refused at this scale, it may be drawn at another.
    EXPECT_EQ(drawer.record.operations().size(), 2U);
}

TEST(DrawingRecord, ClearForgetsEverythingAndKeepsTheSettingsInEffect) {
    Drawer drawer;
    drawer.perform(kMaskPen);
    drawer.perform(kBox);
    drawer.record.clear(kDrawModeMaskPen, 3);
    EXPECT_TRUE(drawer.record.operations().empty());
    EXPECT_EQ(drawer.record.startDrawMode(), kDrawModeMaskPen);
    EXPECT_EQ(drawer.record.startDrawWidth(), 3);
    drawer.perform(kBox);  // the picture no longer has it
    EXPECT_EQ(drawer.drawn, (std::vector<Op>{kMaskPen, kBox, kBox}));
}

TEST(DrawingRecord, PastItsCapacityItKeepsNoMoreButStillSkipsRepeats) {
    Drawer drawer(3);
    const Op* const memory = drawer.record.operations().data();
    for (int i = 0; i < 5; ++i) {
        const auto y = static_cast<float>(15 * i);
        drawer.perform(Op::line(0, y, 150, y, 0));
        drawer.perform(Op::line(0, y, 150, y, 0));
    }
    EXPECT_EQ(drawer.drawn.size(), 5U);
    EXPECT_FALSE(drawer.record.complete());
    ASSERT_EQ(drawer.record.operations().size(), 3U);
    EXPECT_EQ(drawer.record.operations().data(), memory);  // taken once, never moved
    EXPECT_EQ(drawer.record.operations()[2], Op::line(0, 30, 150, 30, 0));

    drawer.record.clear(kDrawModeCopyPen, 1);
    EXPECT_TRUE(drawer.record.complete());
    drawer.perform(kLine);
    EXPECT_EQ(drawer.record.operations().size(), 1U);
}

}  // namespace
}  // namespace testing
}  // namespace aurisplot
