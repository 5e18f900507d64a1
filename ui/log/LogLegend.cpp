#include "ui/log/LogLegend.h"

#include <QCheckBox>
#include <QPainter>

#include "ui/common/UiCommon.h"

namespace bxl::ui {

ColourSwatch::ColourSwatch(Rgb colour, QWidget* parent) : QWidget(parent), colour_(toQColor(colour)) {}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), colour_);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

LogLegend::LogLegend(QWidget* window) : QGroupBox(QStringLiteral("Log Items/legend"), window) {
    setObjectName(QStringLiteral("GroupBox2"));
    setGeometry(8, 0, 169, 601);
    for (const LogLegendRow& row : kLogLegendRows) {
        auto* box = new QCheckBox(this);
        box->setGeometry(8, row.top, 121, 17);
        box->setChecked(row.checkedAtStart);
        connect(box, &QCheckBox::clicked, this, &LogLegend::clicked);
        if (row.series == 0) {
            box->setObjectName(QStringLiteral("CheckBoxLogP"));
            box->setText(QStringLiteral("Logpoint visible"));
            markersBox_ = box;
            continue;
        }
        const LogSeriesSource& source = kLogSeries[static_cast<std::size_t>(row.series - 1)];
        box->setObjectName(QStringLiteral("CheckBox%1").arg(row.series));
        box->setText(toDisplayText(source.caption));
        seriesBoxes_[static_cast<std::size_t>(row.series - 1)] = box;
        auto* swatch = new ColourSwatch(source.colour, this);
        swatch->setObjectName(QStringLiteral("Shape%1").arg(row.series));
        swatch->setGeometry(136, row.top, 25, 17);
    }
    // In the free space above "Logpoint visible".
    flowAxisBox_ = new QCheckBox(QStringLiteral("m3/h on right axis"), this);
    flowAxisBox_->setObjectName(QStringLiteral("CheckBoxFlowAxis"));
    flowAxisBox_->setGeometry(8, 544, 153, 17);
    flowAxisBox_->setToolTip(QStringLiteral(
        "Read the air flows on a right axis of their own, so that the other series fill the left one"));
    connect(flowAxisBox_, &QCheckBox::clicked, this, &LogLegend::clicked);
}

SeriesMask LogLegend::visibleSeries() const {
    SeriesMask shown{};
    for (std::size_t s = 0; s < shown.size(); ++s) shown[s] = seriesBoxes_[s]->isChecked();
    return shown;
}

bool LogLegend::markersShown() const {
    return markersBox_->isChecked();
}

bool LogLegend::flowsOnOwnAxis() const {
    return flowAxisBox_->isChecked();
}

}  // namespace bxl::ui
