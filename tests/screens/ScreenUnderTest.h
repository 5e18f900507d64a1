// The screen the test program runs on, as its command line set it up.
#pragma once

struct ScreenUnderTest {
    int width = 1920;  // device pixels
    int height = 1200;
    double scale = 1.0;  // QT_SCALE_FACTOR
};

extern ScreenUnderTest gScreen;
