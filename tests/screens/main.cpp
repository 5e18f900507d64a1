// The windows on a screen of a given size and scale factor:
//
//   screen_tests [--screen WIDTHxHEIGHT] [--scale FACTOR] [gtest options]
//
// The screen (in device pixels, 1920x1200 unless given) and the scale factor
// (QT_SCALE_FACTOR, 1 unless given) are set up before the application starts,
// on Qt's off-screen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryFile>
#include <cstdio>
#include <cstring>

#include "ScreenUnderTest.h"

ScreenUnderTest gScreen;

int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--screen") == 0) {
            if (std::sscanf(argv[i + 1], "%dx%d", &gScreen.width, &gScreen.height) != 2) return 2;
        } else if (std::strcmp(argv[i], "--scale") == 0) {
            gScreen.scale = QByteArray(argv[i + 1]).toDouble();
        }
    }
    QTemporaryFile config;
    if (!config.open()) return 2;
    config.write(QStringLiteral(R"({"windowFrameMargins": true, "screens": [{"name": "screen", "x": 0, "y": 0,
        "width": %1, "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                     .arg(gScreen.width)
                     .arg(gScreen.height)
                     .toUtf8());
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", QByteArray::number(gScreen.scale));

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
