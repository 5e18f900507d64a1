// The main window's captions as drawn at the screen's scale factor.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include "model/Bindings.h"
#include "model/ValueStore.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/NullPort.h"
#include "ui/main/Form1.h"

TEST(MainWindowOnScreen, ReceivingCaptionIsNotCrossedByTheGroupFrame) {
    bxl::ValueStore store;
    bxl::BindingTable bindings;
    bxl::NullPort port;
    bxl::test::FakeDialogs dialogs;
    TForm1 form(store, bindings, port, dialogs);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* caption = form.findChild<QLabel*>(QStringLiteral("Label7"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->pos(), QPoint(128, 8));
    EXPECT_EQ(caption->text(), QStringLiteral("Receiving"));

    // What the person sees there: teal text on the window's colour, and no
    // grey frame line through it.
    const QImage seen = form.grab(QRect(caption->mapTo(&form, QPoint(0, 0)), caption->size()))
                            .toImage()
                            .convertToFormat(QImage::Format_RGB32);
    const QRgb background = seen.pixel(seen.width() - 1, 0);
    int grey = 0;
    for (int y = 0; y < seen.height(); ++y)
        for (int x = 0; x < seen.width(); ++x) {
            const QRgb p = seen.pixel(x, y);
            grey += p != background && qRed(p) == qGreen(p) && qGreen(p) == qBlue(p);
        }
    EXPECT_EQ(grey, 0);
}
