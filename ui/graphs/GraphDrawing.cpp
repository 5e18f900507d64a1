#include "ui/graphs/GraphDrawing.h"

#include "ui/graphs/Graphs.h"

namespace bxl::graphs {

QString integerText(int32_t v) {
    return QString::number(v);
}

QString tenthsText(int32_t v) {
    const int64_t m = v < 0 ? -int64_t{v} : int64_t{v};
    return (v < 0 ? QStringLiteral("-") : QString()) + QString::number(m / 10) + QLatin1Char('.') +
           QString::number(m % 10);
}

void clearStep(Canvas& c, int fontPoints) {
    c.setBrush(c.faceColour());
    c.fillRect(0, 0, kGraphWidth, kGraphHeight);
    c.setFontColour(kBlack);
    c.setFontFace(QStringLiteral("Arial"));
    c.setFontSize(fontPoints);
}

}  // namespace bxl::graphs
