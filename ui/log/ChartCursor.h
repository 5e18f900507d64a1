// The log chart's cursor: while the mouse is over the plot, a vertical line
// at the sample nearest to the pointer and, beside it, the time of that
// sample and the value of every shown series there, each in its series'
// colour and unit. It draws on a layer of its own, so following the mouse
// repaints only the cursor, never the curves.
#pragma once

#include <qcustomplot.h>

#include <QImage>
#include <QStringList>
#include <optional>
#include <vector>

#include "model/log/LogSeries.h"
#include "model/log/LogStore.h"

namespace bxl::ui {

class ChartCursor : public QCPLayerable {
    Q_OBJECT
public:
    // Draws on `layer` of `chart`, reading the samples from `log`.
    ChartCursor(QCustomPlot* chart, const QString& layer, const LogStore& log);

    // The pointer at `pixel` of the chart; nothing: it left the plot.
    void follow(std::optional<QPoint> pixel);
    void setShownSeries(const SeriesMask& shown) { shown_ = shown; }

    // The sample under the cursor, and what the read-out says: the time,
    // then one line per shown series. Empty while no cursor is shown.
    std::optional<std::size_t> sample() const;
    QStringList lines() const;

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;

private:
    static QImage drawBox(const QStringList& text, const std::vector<QColor>& colours, const QFont& font,
                          double pixelRatio);

    const LogStore& log_;
    std::optional<QPoint> pixel_;
    SeriesMask shown_{};
    QCPAxis* timeAxis_;
    // The read-out box as last drawn, with what it says.
    QImage box_;
    QStringList boxText_;
    std::vector<QColor> boxColours_;
};

}  // namespace bxl::ui
