// The graph image on a screen with a scale factor: every pixel of the graph
// is a square of whole device pixels, the graph centred in its place.
#include <gtest/gtest.h>

#include <QTest>

#include "ScreenUnderTest.h"
#include "model/ValueStore.h"
#include "ui/graphs/Form4.h"

TEST(GraphImageOnScreen, EachGraphPixelIsASquareOfWholeDevicePixels) {
    bxl::ValueStore store;
    store.setCurrent(1, 3000);  // a fan curve to look at
    TForm4 form(store);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_NE(form.graphImage(), nullptr);
    const QImage graph = form.graphImage()->convertToFormat(QImage::Format_RGB32);

    QWidget* view = form.findChild<QWidget*>(QStringLiteral("Image1"));
    ASSERT_NE(view, nullptr);
    const QImage shot = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // 2 device pixels for each pixel at scale 2; 1 at scale 1, and at 1.5,
    // where 2 do not fit.
    const int factor = gScreen.scale >= 2 ? 2 : 1;
    ASSERT_GE(shot.width(), graph.width() * factor);
    ASSERT_GE(shot.height(), graph.height() * factor);
    const int left = (shot.width() - graph.width() * factor) / 2;
    const int top = (shot.height() - graph.height() * factor) / 2;
    if (gScreen.scale == 1.5) {
        // 1050 x 660 device pixels hold the graph once, with a margin round it.
        EXPECT_EQ(QPoint(left, top), QPoint(175, 110));
    } else {
        EXPECT_EQ(QPoint(left, top), QPoint(0, 0));
    }

    int wrong = 0;
    for (int y = 0; y < graph.height(); ++y)
        for (int x = 0; x < graph.width(); ++x)
            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx)
                    wrong += shot.pixel(left + x * factor + dx, top + y * factor + dy) != graph.pixel(x, y);
    EXPECT_EQ(wrong, 0);
}
