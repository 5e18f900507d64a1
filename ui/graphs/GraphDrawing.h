// What the four graphs share when they draw: the clear step every graph
// starts with and the text forms of their labels (integer text, tenths, and
// units appended without a blank).
#pragma once

#include <QString>
#include <cstdint>

#include "ui/graphs/Canvas.h"

namespace bxl::graphs {

inline const QString kUnitM3 = QStringLiteral("m3");
inline const QString kUnitPa = QStringLiteral("Pa");
inline const QString kUnitDegC = QStringLiteral("\u00B0C");

// The decimal digits of v, with a leading "-" when negative.
QString integerText(int32_t v);

// One decimal of a value held in tenths, the sign written separately so that
// -5 reads -0.5.
QString tenthsText(int32_t v);

// Every graph starts on a face-coloured image with black "Arial" of the given
// size (8 point but for the filters graph's titles).
void clearStep(Canvas& c, int fontPoints = 8);

}  // namespace bxl::graphs
