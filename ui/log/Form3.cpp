#include "ui/log/Form3.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QWheelEvent>
#include <cmath>

#include "model/log/LogFile.h"
#include "ui/common/UiCommon.h"
#include "ui/log/LogChartParts.h"

namespace {

// Client area for the outer size 891 x 656 and the minimum 870 x 640.
constexpr int kClientWidth = 875;
constexpr int kClientHeight = 617;
constexpr int kMinClientWidth = 854;
constexpr int kMinClientHeight = 601;
// The chart starts below the setup frame and keeps this margin to the right
// and bottom edges as the window changes size.
constexpr int kChartLeft = 184;
constexpr int kChartTop = 96;
constexpr int kChartMargin = 8;

constexpr int kWheelNotch = 120;

// Notices under the interval field, in the free part of the setup frame.
constexpr QRect kLimitNoticeRect(184, 46, 368, 16);
constexpr QRect kJournalNoticeRect(184, 64, 368, 16);
const QColor kNoticeColour(192, 0, 0);
constexpr double kMinute = 1.0 / 1440.0;
// Pixels kept free at the plot's edges while point markers are shown.
constexpr int kMarkerRoom = 3;

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, int x, int y) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, y, 75, 25);
    return b;
}

// QCustomPlot refuses an empty range; a single time or value is shown with a
// little room around it.
QCPRange shownRange(bxl::AxisRange r, double pad) {
    if (r.max > r.min) return {r.min, r.max};
    return {r.min - pad, r.max + pad};
}

}  // namespace

TForm3::TForm3(const bxl::ValueStore& store, QWidget* parent, bxl::DateTimeClock clock)
    : QWidget(parent), store_(store), recorder_(store_, log_, std::move(clock)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Log"));
    setWindowFlag(Qt::Window);
    setFont(bxl::ui::windowFont());
    setAutoFillBackground(true);
    resize(kClientWidth, kClientHeight);
    setMinimumSize(kMinClientWidth, kMinClientHeight);
    move(479, 158);

    buildLegend();
    buildSetup();
    buildChart();
    applyButtons();

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(1000);
    connect(timer1_, &QTimer::timeout, this, &TForm3::Timer1Timer);
    timer1_->start();
}

TForm3::~TForm3() {
    // Destroying the children takes the focus from the interval field, whose
    // editing-finished handler must not run on a window half destroyed.
    disconnect(edit1_, nullptr, this, nullptr);
}

void TForm3::buildLegend() {
    groupBox2_ = new QGroupBox(QStringLiteral("Log Items/legend"), this);
    groupBox2_->setObjectName(QStringLiteral("GroupBox2"));
    groupBox2_->setGeometry(8, 0, 169, 601);
    for (const bxl::LogLegendRow& row : bxl::kLogLegendRows) {
        auto* cb = new QCheckBox(groupBox2_);
        cb->setGeometry(8, row.top, 121, 17);
        cb->setChecked(row.checkedAtStart);
        connect(cb, &QCheckBox::clicked, this, &TForm3::CheckBoxClick);
        if (row.series == 0) {
            cb->setObjectName(QStringLiteral("CheckBoxLogP"));
            cb->setText(QStringLiteral("Logpoint visible"));
            checkBoxLogP_ = cb;
            continue;
        }
        const auto& src = bxl::kLogSeries[static_cast<std::size_t>(row.series - 1)];
        cb->setObjectName(QStringLiteral("CheckBox%1").arg(row.series));
        cb->setText(bxl::ui::toDisplayText(src.caption));
        checkBoxes_[static_cast<std::size_t>(row.series - 1)] = cb;
        auto* swatch = new bxl::ui::ColourSwatch(src.colour, groupBox2_);
        swatch->setObjectName(QStringLiteral("Shape%1").arg(row.series));
        swatch->setGeometry(136, row.top, 25, 17);
    }
}

void TForm3::buildSetup() {
    groupBox1_ = new QGroupBox(QStringLiteral("Setup"), this);
    groupBox1_->setObjectName(QStringLiteral("GroupBox1"));
    groupBox1_->setGeometry(184, 0, 673, 89);

    buttonStart_ = makeButton(groupBox1_, "ButtonStart", "Start Log", 8, 16);
    buttonStop_ = makeButton(groupBox1_, "ButtonStop", "Stop Log", 8, 48);
    buttonClr_ = makeButton(groupBox1_, "ButtonClr", "Clear Log", 96, 48);
    buttonSave_ = makeButton(groupBox1_, "ButtonSave", "Save Log", 560, 16);
    buttonLoad_ = makeButton(groupBox1_, "ButtonLoad", "Load Log", 560, 48);
    connect(buttonStart_, &QPushButton::clicked, this, &TForm3::ButtonStartClick);
    connect(buttonStop_, &QPushButton::clicked, this, &TForm3::ButtonStopClick);
    connect(buttonClr_, &QPushButton::clicked, this, &TForm3::ButtonClrClick);
    connect(buttonSave_, &QPushButton::clicked, this, &TForm3::ButtonSaveClick);
    connect(buttonLoad_, &QPushButton::clicked, this, &TForm3::ButtonLoadClick);

    auto* label1 = new QLabel(QStringLiteral("Log interval (sec)"), groupBox1_);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->move(96, 20);
    label1->adjustSize();

    edit1_ = new QLineEdit(QString::number(bxl::kLogIntervalDefault), groupBox1_);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setGeometry(184, 18, 41, 21);
    upDown_ =
        new bxl::ui::UpDown(bxl::kLogIntervalMin, bxl::kLogIntervalMax, bxl::kLogIntervalDefault, groupBox1_);
    upDown_->setObjectName(QStringLiteral("UpDownLogInt"));
    upDown_->setGeometry(225, 18, 16, 21);
    connect(edit1_, &QLineEdit::textChanged, this, &TForm3::Edit1Change);
    connect(upDown_, &bxl::ui::UpDown::clicked, this, [this](int p) { edit1_->setText(QString::number(p)); });
    // Text that names no valid interval is put back to the interval in force
    // when the field is left.
    connect(edit1_, &QLineEdit::editingFinished, this, [this] {
        if (edit1_->text() != QString::number(upDown_->position()))
            edit1_->setText(QString::number(upDown_->position()));
    });

    labelLogging_ = new QLabel(QStringLiteral("Logging"), groupBox1_);
    labelLogging_->setObjectName(QStringLiteral("LabelLogging"));
    labelLogging_->setGeometry(256, 12, 110, 29);
    QFont f = bxl::ui::windowFont();
    f.setPixelSize(24);
    f.setBold(true);
    f.setItalic(true);
    labelLogging_->setFont(f);
    bxl::ui::setTextColour(labelLogging_, QColor(255, 0, 0));
    labelLogging_->hide();

    labelLimit_ =
        new QLabel(QStringLiteral("Log full: recording stopped at %1 samples.").arg(bxl::kLogSampleLimit + 1),
                   groupBox1_);
    labelLimit_->setObjectName(QStringLiteral("LabelLimit"));
    labelLimit_->setGeometry(kLimitNoticeRect);
    bxl::ui::setTextColour(labelLimit_, kNoticeColour);
    labelLimit_->hide();
    labelJournal_ =
        new QLabel(QStringLiteral("No backup copy of this recording: use Save Log to keep it."), groupBox1_);
    labelJournal_->setObjectName(QStringLiteral("LabelJournal"));
    labelJournal_->setGeometry(kJournalNoticeRect);
    bxl::ui::setTextColour(labelJournal_, kNoticeColour);
    labelJournal_->hide();

    setTabOrder(buttonClr_, buttonStart_);
    setTabOrder(buttonStart_, edit1_);
    setTabOrder(edit1_, upDown_);
    setTabOrder(upDown_, buttonSave_);
    setTabOrder(buttonSave_, buttonLoad_);
    setTabOrder(buttonLoad_, buttonStop_);
}

void TForm3::buildChart() {
    chart_ = new QCustomPlot(this);
    chart_->setObjectName(QStringLiteral("Chart1"));
    chart_->setBackground(Qt::white);
    chart_->axisRect()->setBackground(Qt::white);
    chart_->legend->setVisible(false);
    // The chart's title: one empty line above the plot.
    chart_->plotLayout()->insertRow(0);
    chart_->plotLayout()->addElement(0, 0, new QCPTextElement(chart_, QStringLiteral(" ")));
    chart_->xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new bxl::ui::DateTimeNumberTicker));
    chart_->yAxis->setTicker(QSharedPointer<QCPAxisTicker>(new bxl::ui::MinStepTicker));
    chart_->setSelectionRectMode(QCP::srmCustom);
    connect(chart_->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& r, QMouseEvent*) { zoomToPixels(r); });
    connect(chart_, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent* e) {
        if (e->button() == Qt::LeftButton) undoZoom();
    });
    chart_->installEventFilter(this);

    for (const auto& src : bxl::kLogSeries) {
        QCPGraph* g = chart_->addGraph(chart_->xAxis, chart_->yAxis);
        g->setPen(QPen(bxl::ui::toQColor(src.colour), 1));
        g->setLineStyle(QCPGraph::lsLine);
        g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
        g->removeFromLegend();
    }
    chart_->setGeometry(kChartLeft, kChartTop, kClientWidth - kChartLeft - kChartMargin,
                        kClientHeight - kChartTop - kChartMargin);
    CheckBoxClick();
}

void TForm3::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    chart_->setGeometry(kChartLeft, kChartTop, std::max(1, width() - kChartLeft - kChartMargin),
                        std::max(1, height() - kChartTop - kChartMargin));
}

void TForm3::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TForm3::FormShow() {
    recorder_.firstShow();
    applyButtons();
    CheckBoxClick();
}

void TForm3::applyButtons() {
    const bxl::LogButtons& b = recorder_.buttons();
    buttonStart_->setEnabled(b.start);
    buttonStop_->setEnabled(b.stop);
    buttonClr_->setEnabled(b.clear);
    buttonSave_->setEnabled(b.save);
    buttonLoad_->setEnabled(b.load);
}

int TForm3::interval() const {
    return upDown_->position();
}

void TForm3::Edit1Change(const QString& text) {
    upDown_->setPosition(bxl::intervalFromText(text.toStdString(), upDown_->position()));
}

bxl::SeriesMask TForm3::visibleSeries() const {
    bxl::SeriesMask m{};
    for (std::size_t s = 0; s < m.size(); ++s) m[s] = checkBoxes_[s]->isChecked();
    return m;
}

void TForm3::ButtonStartClick() {
    if (!askBeforeDiscarding()) return;
    recorder_.start();
    applyButtons();
    applyNotices();
    rebuildGraphs();
}

void TForm3::ButtonStopClick() {
    recorder_.stop();
    applyButtons();
}

void TForm3::ButtonClrClick() {
    if (!askBeforeDiscarding()) return;
    recorder_.clear();
    applyButtons();
    applyNotices();
    rebuildGraphs();
}

bool TForm3::askBeforeDiscarding() {
    return !recorder_.unsavedSamples() || ask(QStringLiteral("Log samples not saved, discard them?"));
}

void TForm3::applyNotices() {
    labelLimit_->setVisible(recorder_.stoppedAtLimit());
    const QString problem = QString::fromLocal8Bit(recorder_.journalProblem());
    labelJournal_->setVisible(!problem.isEmpty());
    if (labelJournal_->toolTip() != problem) labelJournal_->setToolTip(problem);
}

void TForm3::Timer1Timer() {
    const bxl::LogTick t = recorder_.tick(interval());
    if (t.flash != bxl::LogFlash::Unchanged) {
        const bool on = t.flash == bxl::LogFlash::On;
        labelLogging_->setVisible(on);
        if (logButton_ != nullptr)
            bxl::ui::setTextColour(logButton_, on ? QColor(255, 0, 0) : bxl::ui::windowTextColour());
    }
    if (t.sampled) {
        appendToGraphs(t.sampleAt);
        applyNotices();
    }
    if (t.stopped || t.saveEnabled) applyButtons();
}

void TForm3::CheckBoxClick() {
    const bool markers = checkBoxLogP_->isChecked();
    for (int s = 0; s < bxl::kLogSeriesCount; ++s) {
        QCPGraph* g = chart_->graph(s);
        g->setVisible(checkBoxes_[static_cast<std::size_t>(s)]->isChecked());
        // A square of half-width 1 pixel about each point.
        g->setScatterStyle(
            markers ? QCPScatterStyle(QCPScatterStyle::ssSquare, g->pen().color(), g->pen().color(), 3)
                    : QCPScatterStyle(QCPScatterStyle::ssNone));
    }
    redraw();
}

void TForm3::rebuildGraphs() {
    for (int s = 0; s < bxl::kLogSeriesCount; ++s) {
        const bxl::LogSeriesData& d = log_.series(s);
        QVector<QCPGraphData> pts;
        pts.reserve(static_cast<qsizetype>(d.times.size()));
        for (std::size_t i = 0; i < d.times.size(); ++i) {
            // Points without a finite time cannot be placed on the time axis;
            // non-finite values leave a gap in the line.
            if (!std::isfinite(d.times[i])) continue;
            const double v = std::isfinite(d.values[i]) ? d.values[i] : qQNaN();
            pts.append(QCPGraphData(d.times[i], v));
        }
        chart_->graph(s)->data()->set(pts, true);
    }
    redraw();
}

void TForm3::appendToGraphs(std::size_t index) {
    if (index + 1 != log_.count(0)) {
        rebuildGraphs();
        return;
    }
    for (int s = 0; s < bxl::kLogSeriesCount; ++s) {
        if (index < log_.count(s)) chart_->graph(s)->addData(log_.time(s, index), log_.value(s, index));
    }
    redraw();
}

void TForm3::applyRanges() {
    const bxl::ChartRanges r = view_.ranges(log_, visibleSeries());
    QCPRange x = shownRange(r.bottom, kMinute);
    QCPRange y = shownRange(r.left, 1.0);
    const QRect plot = chart_->axisRect()->rect();
    if (!view_.zoomed() && checkBoxLogP_->isChecked() && plot.width() > 8 * kMarkerRoom &&
        plot.height() > 8 * kMarkerRoom) {
        // Room for the markers of the outermost points.
        const double padX = x.size() * kMarkerRoom / (plot.width() - 2 * kMarkerRoom);
        const double padY = y.size() * kMarkerRoom / (plot.height() - 2 * kMarkerRoom);
        x = {x.lower - padX, x.upper + padX};
        y = {y.lower - padY, y.upper + padY};
    }
    chart_->xAxis->setRange(x);
    chart_->yAxis->setRange(y);
}

void TForm3::redraw() {
    // While the window is hidden the ranges and the repaint wait for the next
    // show: a long recording in the background costs no range scans.
    if (!isVisible()) {
        dirty_ = true;
        return;
    }
    applyRanges();
    chart_->replot();
    dirty_ = false;
}

void TForm3::Chart1MouseWheelDown() {
    view_.zoomByPercent(log_, visibleSeries(), 110);
    redraw();
}

void TForm3::Chart1MouseWheelUp() {
    view_.zoomByPercent(log_, visibleSeries(), 90);
    redraw();
}

void TForm3::zoomToPixels(const QRect& rect) {
    const QRect r = rect.normalized();
    if (r.width() < 3 || r.height() < 3) return;
    const double x0 = chart_->xAxis->pixelToCoord(r.left());
    const double x1 = chart_->xAxis->pixelToCoord(r.right());
    const double y0 = chart_->yAxis->pixelToCoord(r.bottom());
    const double y1 = chart_->yAxis->pixelToCoord(r.top());
    view_.setRanges({{std::min(x0, x1), std::max(x0, x1)}, {std::min(y0, y1), std::max(y0, y1)}});
    redraw();
}

void TForm3::panByPixels(QPoint from, QPoint to, const bxl::ChartRanges& start) {
    const double dx = chart_->xAxis->pixelToCoord(from.x()) - chart_->xAxis->pixelToCoord(to.x());
    const double dy = chart_->yAxis->pixelToCoord(from.y()) - chart_->yAxis->pixelToCoord(to.y());
    view_.setRanges(
        {{start.bottom.min + dx, start.bottom.max + dx}, {start.left.min + dy, start.left.max + dy}});
    redraw();
}

void TForm3::undoZoom() {
    view_.undoZoom();
    redraw();
}

bool TForm3::eventFilter(QObject* watched, QEvent* e) {
    if (watched != chart_) return QWidget::eventFilter(watched, e);
    switch (e->type()) {
        case QEvent::Wheel: {
            // One zoom step per notch; a fine-grained wheel adds up to one.
            wheelRest_ += static_cast<QWheelEvent*>(e)->angleDelta().y();
            while (wheelRest_ <= -kWheelNotch) {
                wheelRest_ += kWheelNotch;
                Chart1MouseWheelDown();
            }
            while (wheelRest_ >= kWheelNotch) {
                wheelRest_ -= kWheelNotch;
                Chart1MouseWheelUp();
            }
            return true;
        }
        case QEvent::MouseButtonPress: {
            auto* me = static_cast<QMouseEvent*>(e);
            if (me->button() != Qt::RightButton) break;
            // Panning moves the view with the pointer from where the drag
            // began, so the axes are measured once at the press.
            panning_ = true;
            panFrom_ = me->position().toPoint();
            panRanges_ = {{chart_->xAxis->range().lower, chart_->xAxis->range().upper},
                          {chart_->yAxis->range().lower, chart_->yAxis->range().upper}};
            chart_->setCursor(Qt::ClosedHandCursor);
            return true;
        }
        case QEvent::MouseMove: {
            if (!panning_) break;
            panByPixels(panFrom_, static_cast<QMouseEvent*>(e)->position().toPoint(), panRanges_);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(e);
            if (!panning_ || me->button() != Qt::RightButton) break;
            panning_ = false;
            chart_->unsetCursor();
            return true;
        }
        case QEvent::Show:
            if (dirty_) redraw();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, e);
}

void TForm3::reportError(const QString& text) {
    if (showError_) {
        showError_(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("ERROR"), text, QMessageBox::Ok, this);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

bool TForm3::ask(const QString& text) {
    if (confirm_) return confirm_(text);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text,
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

bool TForm3::offerRecovery(bxl::LogJournal& journal) {
    const std::optional<bxl::LogFileContents> found = journal.findUnsaved();
    if (!found || recorder_.logActive()) return false;
    const double start = found->times.front();
    bxl::CalendarTime c;
    const QString started = bxl::calendarTime(start, c) ? QStringLiteral("%1-%2-%3 %4:%5:%6")
                                                              .arg(c.day)
                                                              .arg(c.month)
                                                              .arg(c.year)
                                                              .arg(c.hour, 2, 10, QLatin1Char('0'))
                                                              .arg(c.minute, 2, 10, QLatin1Char('0'))
                                                              .arg(c.second, 2, 10, QLatin1Char('0'))
                                                        : QStringLiteral("at an unknown time");
    const QString question =
        QStringLiteral(
            "Unsaved recording found: started %1, %2 samples.\nRestore it into the log?\n"
            "(Cancel keeps it as %3)")
            .arg(started)
            .arg(found->recordCount())
            .arg(QFile::decodeName(journal.asidePath(start).c_str()));
    if (!ask(question)) {
        journal.setFoundAside(start);
        return false;
    }
    recorder_.restore(*found);
    applyButtons();
    applyNotices();
    rebuildGraphs();
    return true;
}

QString TForm3::defaultSavePath() {
    QFileDialog d(this);
    d.setObjectName(QStringLiteral("SaveDialog1"));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setNameFilter(QStringLiteral("Log files (*.LOG)"));
    d.setDefaultSuffix(QStringLiteral("LOG"));
    d.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().constFirst();
}

QString TForm3::defaultOpenPath() {
    QFileDialog d(this);
    d.setObjectName(QStringLiteral("OpenDialog1"));
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setNameFilter(QStringLiteral("Log files (*.LOG)"));
    d.setDefaultSuffix(QStringLiteral("LOG"));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().constFirst();
}

void TForm3::ButtonSaveClick() {
    const QString path = pickSavePath_ ? pickSavePath_() : defaultSavePath();
    if (path.isEmpty()) return;
    const std::vector<uint8_t> bytes = bxl::encodeLogFile(log_);
    if (!bxl::writeFileBytes(QFile::encodeName(path).toStdString(), bytes)) {
        reportError(QStringLiteral("Cannot write to file."));
        return;
    }
    recorder_.saved();
}

void TForm3::ButtonLoadClick() {
    if (!askBeforeDiscarding()) return;
    const QString path = pickOpenPath_ ? pickOpenPath_() : defaultOpenPath();
    if (path.isEmpty()) return;
    std::vector<uint8_t> bytes;
    if (!bxl::readLogFileBytes(QFile::encodeName(path).toStdString(), bytes)) {
        reportError(QStringLiteral("Cannot read file."));
        return;
    }
    bxl::LogFileContents contents;
    if (bxl::decodeLogFile(bytes, contents) != bxl::LogDecodeStatus::Ok) {
        reportError(QStringLiteral("File not in correct format!"));
        return;
    }
    recorder_.loaded(contents);
    applyButtons();
    applyNotices();
    rebuildGraphs();
}
