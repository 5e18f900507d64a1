// Helpers shared by the graph tests: factory settings and pixel checks.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QString>

#include "model/ValueStore.h"
#include "tests/support/FactorySettings.h"
#include "ui/graphs/Canvas.h"

namespace bxl::graphs::test {

inline constexpr QRgb kFace = 0xffd4d0c8u;

using bxl::test::loadFactorySettings;

inline int countColour(const QImage& img, const QRect& area, QRgb colour) {
    int n = 0;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixel(x, y) == (colour | 0xff000000u)) ++n;
    return n;
}

// The text box at (x, y) holds exactly the pixels of `text` drawn alone with
// the given colours and font size.
inline ::testing::AssertionResult textAt(const QImage& img, int x, int y, const QString& text,
                                         QRgb fontColour, QRgb brush, int points = 8) {
    Canvas ref(img.width(), img.height(), kFace);
    ref.setFontSize(points);
    ref.setBrush(brush);
    ref.setFontColour(fontColour);
    ref.textOut(x, y, text);
    const QRect box = QRect(QPoint(x, y), ref.textExtent(text)).intersected(img.rect());
    if (box.isEmpty()) return ::testing::AssertionFailure() << "text box outside the image";
    for (int py = box.top(); py <= box.bottom(); ++py)
        for (int px = box.left(); px <= box.right(); ++px)
            if (img.pixel(px, py) != ref.pixel(px, py))
                return ::testing::AssertionFailure()
                       << "\"" << text.toStdString() << "\" at (" << x << ", " << y << "): pixel (" << px
                       << ", " << py << ") is " << std::hex << img.pixel(px, py) << ", expected "
                       << ref.pixel(px, py);
    return ::testing::AssertionSuccess();
}

}  // namespace bxl::graphs::test
