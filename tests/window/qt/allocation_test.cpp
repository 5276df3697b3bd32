// A sweep pass allocates nothing on the heap: what a Graph command allocates
// does not grow with the number of its passes.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>

#include "engine/graph_engine.h"
#include "heap_counter.h"
#include "window/null/idle_window.h"
#include "window/qt/main_window.h"

namespace aurisplot::testing {
namespace {

template <typename Run>
[[nodiscard]] std::size_t allocationsDuring(Run&& run) {
    const std::size_t before = heapAllocations();
    std::forward<Run>(run)();
    return heapAllocations() - before;
}

// 1 mm steps out to 1000 m.
constexpr std::size_t kLongSweepPasses = 1'000'000;

TEST(HeapAllocations, AreCountedFromTheStandardLibraryAndFromQt) {
    const std::size_t standard = allocationsDuring([] {
        const std::string text(1000, 'x');
        ASSERT_EQ(text.size(), 1000U);
    });
    EXPECT_GE(standard, 1U);
    const std::size_t qt = allocationsDuring([] {
        const QString text(1000, QLatin1Char('x'));
        ASSERT_EQ(text.size(), 1000);
    });
    EXPECT_GE(qt, 1U);
}

TEST(HeapAllocations, TheEngineMakesAsManyForAMillionPassesAsForTenThousand) {
    IdleWindow shortSweep("10", "1 mm");
    IdleWindow longSweep("1000", "1 mm");
    runGraphCommand(shortSweep);  // the texts kept by the window reach their size
    runGraphCommand(longSweep);
    const std::size_t few = allocationsDuring([&] { runGraphCommand(shortSweep); });
    const std::size_t many = allocationsDuring([&] { runGraphCommand(longSweep); });
    EXPECT_GT(few, 0U);  // the progress titles are built once per percentage
    EXPECT_EQ(many, few);
}

// On the real window the event loop turns about once a millisecond and the
// screen is updated at display rate, and either may allocate a little: a few
// allocations a turn, about a thousand for a sweep of a third of a second.
// A hundredth of the passes leaves room for a machine ten times slower, whose
// sweep turns the loop ten times as often; one allocation per pass would be a
// million.
TEST(HeapAllocations, TheRealWindowMakesFarFewerThanOnePerPass) {
    Form1 form;
    form.core().Form_Load();
    form.control<QComboBox>("Combo1").setCurrentIndex(2);  // 1 mm
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.core().Command1_Click();  // first use of the painter, the title and the fields
    form.control<QLineEdit>("Text4").setText(QStringLiteral("1000"));
    const std::size_t during = allocationsDuring([&] { form.core().Command1_Click(); });
    ASSERT_TRUE(form.windowTitle().endsWith(QStringLiteral("[MPE range is ~1m]")));
    EXPECT_LT(during, kLongSweepPasses / 100);
    std::printf("a Graph command of %zu passes on the real window made %zu heap allocations\n",
                kLongSweepPasses, during);
}

}  // namespace
}  // namespace aurisplot::testing
