// The tool's windows as the application wires them, opened with the main
// window's buttons on the screen the test program was started with.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "ScreenUnderTest.h"
#include "app/ToolWindows.h"
#include "ui/common/WindowPlacement.h"

namespace {

// Inside the area, or, for a window larger than the area, from its top or
// left edge.
void expectInside(const QWidget& w, const QRect& area) {
    const QRect f = w.frameGeometry();
    SCOPED_TRACE(w.objectName().toStdString());
    if (f.width() <= area.width()) {
        EXPECT_GE(f.left(), area.left());
        EXPECT_LE(f.right(), area.right());
    } else {
        EXPECT_EQ(f.left(), area.left());
    }
    if (f.height() <= area.height()) {
        EXPECT_GE(f.top(), area.top());
        EXPECT_LE(f.bottom(), area.bottom());
    } else {
        EXPECT_EQ(f.top(), area.top());
    }
}

QPushButton* button(QWidget& w, const char* name) {
    return w.findChild<QPushButton*>(QLatin1String(name));
}

}  // namespace

TEST(ToolWindowsOnScreen, WindowsOpenInsideTheScreenAndClearOfTheButtons) {
    // Whether the screen has room for each secondary window beside the
    // main window's buttons.
    const bool roomBesideButtons = gScreen.scale < 2;

    QTemporaryDir data;  // no port alias of the user's
    ASSERT_TRUE(data.isValid());
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    bxl::ToolWindows windows;
    windows.form1.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&windows.form1));

    const QRect area = windows.form1.screen()->availableGeometry();
    ASSERT_EQ(area.size(),
              QSize(qRound(gScreen.width / gScreen.scale), qRound(gScreen.height / gScreen.scale)));
    expectInside(windows.form1, area);
    if (gScreen.scale == 1 && area.height() >= 1000) {
        EXPECT_EQ(windows.form1.pos(), QPoint(632, 204));  // where it belongs
    }
    EXPECT_EQ(windows.form1.size(), QSize(712, 615));

    QPushButton* overview = button(windows.form1, "BitBtnWHRBDA");
    QPushButton* log = button(windows.form1, "BitBtnLog");
    QPushButton* graph = button(windows.form1, "BitBtnGraph");
    QTest::mouseClick(overview, Qt::LeftButton);
    QTest::mouseClick(log, Qt::LeftButton);
    QTest::mouseClick(graph, Qt::LeftButton);
    const QList<QWidget*> secondary{&windows.form2, &windows.form3, &windows.form4};
    for (QWidget* w : secondary) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        expectInside(*w, area);
        if (!roomBesideButtons) continue;
        for (QPushButton* b : {overview, log, graph}) {
            EXPECT_FALSE(w->frameGeometry().intersects(bxl::ui::globalRect(b)))
                << w->objectName().toStdString() << " covers " << b->objectName().toStdString();
        }
    }
    EXPECT_EQ(windows.form2.size(), QSize(901, 579));
    EXPECT_EQ(windows.form4.size(), QSize(738, 498));

    // Pressed again, the buttons hide what they showed.
    QTest::mouseClick(overview, Qt::LeftButton);
    QTest::mouseClick(log, Qt::LeftButton);
    EXPECT_FALSE(windows.form2.isVisible());
    EXPECT_FALSE(windows.form3.isVisible());

    // Shown again, a window comes back where it was.
    const QPoint overviewAt = windows.form2.pos();
    QTest::mouseClick(overview, Qt::LeftButton);
    EXPECT_EQ(windows.form2.pos(), overviewAt);
    windows.form1.close();
}
