#include <gtest/gtest.h>

#include <QTabBar>
#include <QTimer>

#include "TestSupport.h"
#include "ui/common/UiCommon.h"
#include "ui/graphs/Form4.h"

namespace {

using bxl::graphs::kBlue;
using bxl::graphs::kNavy;

class Form4Test : public ::testing::Test {
protected:
    Form4Test() : form(store) { bxl::graphs::test::loadFactorySettings(store); }
    QTabBar* tabs() { return form.findChild<QTabBar*>(QStringLiteral("TabControl1")); }
    QTimer* timer() { return form.findChild<QTimer*>(QStringLiteral("Timer1")); }
    QRgb at(int x, int y) { return form.graphImage()->pixel(x, y); }
    QRgb face() const { return bxl::ui::faceColour().rgb() | 0xff000000u; }
    // Pixels that tell the graphs apart with the factory settings: the
    // speed-1 supply marker of the fan curves, the heating hi marker, the
    // time clock's Monday row and the red zone of the supply filter.
    bool showsVentilation() { return at(125, 170) == kBlue; }
    bool showsHeatLine() { return at(250, 270) == bxl::graphs::kRed && at(125, 170) != kBlue; }
    bool showsTimeClock() { return at(100, 60) == kNavy; }
    bool showsFilters() { return at(200, 100) == bxl::graphs::kRed; }

    bxl::ValueStore store;
    TForm4 form;
};

TEST_F(Form4Test, LayoutAndStartState) {
    EXPECT_EQ(form.objectName(), QStringLiteral("Form4"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Graph's"));
    ASSERT_NE(tabs(), nullptr);
    ASSERT_EQ(tabs()->count(), 4);
    const char* names[4] = {"M2 Ventilation", "M10 Heatline", "M60 Time clock", "M70 Filters"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tabs()->tabText(i), QString::fromLatin1(names[i]));
    EXPECT_EQ(form.selectedTab(), 0);
    const QWidget* image = form.findChild<QWidget*>(QStringLiteral("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), QSize(700, 440));
    EXPECT_EQ(image->pos(), QPoint(16, 32));
    ASSERT_NE(timer(), nullptr);
    EXPECT_EQ(timer()->interval(), 2000);
    EXPECT_FALSE(timer()->isActive());  // idle while hidden
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.graphImage(), nullptr);
}

TEST_F(Form4Test, DrawsOnlyWhileVisible) {
    form.Timer1Timer();
    form.TabControl1Change();
    EXPECT_EQ(form.graphImage(), nullptr);
    EXPECT_FALSE(timer()->isActive());

    form.show();
    ASSERT_NE(form.graphImage(), nullptr);
    const QImage* image = form.graphImage();
    EXPECT_TRUE(showsVentilation());
    EXPECT_TRUE(timer()->isActive());

    form.hide();
    EXPECT_FALSE(timer()->isActive());  // no wake-ups while hidden
    store.setCurrent(1, 8000);          // would move the speed-1 marker to y = 20
    form.Timer1Timer();
    EXPECT_TRUE(showsVentilation());

    form.show();  // the same image, redrawn at once
    EXPECT_EQ(form.graphImage(), image);
    EXPECT_EQ(at(125, 20), kBlue);
    EXPECT_NE(at(125, 170), kBlue);
}

TEST_F(Form4Test, TabsSelectTheirGraphs) {
    form.show();
    // Selecting from the program does not redraw; the change handler does.
    form.selectTab(3);
    EXPECT_EQ(form.selectedTab(), 3);
    EXPECT_TRUE(showsVentilation());
    form.TabControl1Change();
    EXPECT_TRUE(showsFilters());

    // A user's tab change redraws at once.
    tabs()->setCurrentIndex(1);
    EXPECT_TRUE(showsHeatLine());
    tabs()->setCurrentIndex(2);
    EXPECT_TRUE(showsTimeClock());

    // The timer redraws the selected graph from the current values.
    store.setCurrent(123, 1);  // clock 1 every day at 0:00 with speed 2
    store.setCurrent(129, 2);
    form.Timer1Timer();
    EXPECT_EQ(at(100, 40), qRgb(64, 0, 255));

    form.selectTab(7);  // not a tab: the selection stays
    EXPECT_EQ(form.selectedTab(), 2);
}

TEST_F(Form4Test, FlowControlModePicksTheTimeClockForm) {
    form.show();
    form.selectTab(2);
    const struct {
        int32_t mode;
        bool speed;
    } modes[] = {{0, true},  {1, false}, {2, false},  {3, false},
                 {4, false}, {5, true},  {-1, false}, {6, false}};
    for (const auto& m : modes) {
        store.setCurrent(92, m.mode);
        form.Timer1Timer();
        // With no active clock the speed form draws level 0 (one pixel on
        // the baseline), the setpoint form level 1.
        EXPECT_EQ(at(100, 59) == kNavy, !m.speed) << m.mode;
        EXPECT_EQ(at(100, 60), kNavy) << m.mode;
    }
}

TEST_F(Form4Test, ChangeHandlerRestartsTheInterval) {
    form.show();
    timer()->start(50);  // a short interval that has partly run
    timer()->setInterval(2000);
    form.TabControl1Change();
    EXPECT_TRUE(timer()->isActive());
    EXPECT_GT(timer()->remainingTime(), 1500);  // a coarse timer may round down
}

}  // namespace
