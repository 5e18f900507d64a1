#include "ui/log/Form3.h"

#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include "ui/common/UiCommon.h"
#include "ui/log/ChartGestures.h"
#include "ui/log/LogChart.h"
#include "ui/log/LogDialogs.h"
#include "ui/log/LogLegend.h"
#include "ui/log/LogSetupFrame.h"

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

}  // namespace

TForm3::TForm3(const bxl::ValueStore& store, bxl::ui::Dialogs& dialogs, QWidget* parent,
               bxl::DateTimeClock clock)
    : QWidget(parent),
      store_(store),
      recorder_(store_, log_, std::move(clock)),
      dialogs_(std::make_unique<bxl::ui::LogDialogs>(dialogs, this)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Log"));
    setWindowFlag(Qt::Window);
    setFont(bxl::ui::windowFont());
    setAutoFillBackground(true);
    resize(kClientWidth, kClientHeight);
    setMinimumSize(kMinClientWidth, kMinClientHeight);
    move(479, 158);

    legend_ = new bxl::ui::LogLegend(this);
    connect(legend_, &bxl::ui::LogLegend::clicked, this, &TForm3::CheckBoxClick);

    setup_ = new bxl::ui::LogSetupFrame(this);
    connect(setup_->startButton(), &QPushButton::clicked, this, &TForm3::ButtonStartClick);
    connect(setup_->stopButton(), &QPushButton::clicked, this, &TForm3::ButtonStopClick);
    connect(setup_->clearButton(), &QPushButton::clicked, this, &TForm3::ButtonClrClick);
    connect(setup_->saveButton(), &QPushButton::clicked, this, &TForm3::ButtonSaveClick);
    connect(setup_->loadButton(), &QPushButton::clicked, this, &TForm3::ButtonLoadClick);
    connect(setup_->exportCsvButton(), &QPushButton::clicked, this, &TForm3::ButtonExportCsvClick);
    connect(setup_->savePictureButton(), &QPushButton::clicked, this, &TForm3::ButtonSavePictureClick);

    chart_ = new bxl::ui::LogChart(log_, this);
    gestures_ = new bxl::ui::ChartGestures(chart_);
    connect(gestures_, &bxl::ui::ChartGestures::wheelDown, this, &TForm3::Chart1MouseWheelDown);
    connect(gestures_, &bxl::ui::ChartGestures::wheelUp, this, &TForm3::Chart1MouseWheelUp);
    connect(gestures_, &bxl::ui::ChartGestures::rectangleDragged, this, &TForm3::zoomToPixels);
    connect(gestures_, &bxl::ui::ChartGestures::panned, this, &TForm3::panByPixels);
    connect(gestures_, &bxl::ui::ChartGestures::doubleClicked, this, &TForm3::undoZoom);
    connect(gestures_, &bxl::ui::ChartGestures::hovered, chart_,
            [this](QPoint at) { chart_->showCursorAt(at); });
    connect(gestures_, &bxl::ui::ChartGestures::hoverEnded, chart_,
            [this] { chart_->showCursorAt(std::nullopt); });
    chart_->setGeometry(kChartLeft, kChartTop, kClientWidth - kChartLeft - kChartMargin,
                        kClientHeight - kChartTop - kChartMargin);
    CheckBoxClick();
    applyButtons();

    tickTimer_ = new QTimer(this);
    tickTimer_->setObjectName(QStringLiteral("Timer1"));
    tickTimer_->setInterval(1000);
    connect(tickTimer_, &QTimer::timeout, this, &TForm3::Timer1Timer);
    tickTimer_->start();
}

TForm3::~TForm3() = default;

void TForm3::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    chart_->setGeometry(kChartLeft, kChartTop, std::max(1, width() - kChartLeft - kChartMargin),
                        std::max(1, height() - kChartTop - kChartMargin));
}

void TForm3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TForm3::FormShow() {
    recorder_.firstShow();
    applyButtons();
    CheckBoxClick();
}

void TForm3::applyButtons() {
    setup_->showButtons(recorder_.buttons());
}

void TForm3::applyNotices() {
    setup_->showLimitReached(recorder_.stoppedAtLimit());
    setup_->showJournalProblem(QString::fromLocal8Bit(recorder_.journalProblem()));
}

int TForm3::interval() const {
    return setup_->interval();
}

bxl::SeriesMask TForm3::visibleSeries() const {
    return legend_->visibleSeries();
}

const bxl::LogView& TForm3::view() const {
    return chart_->view();
}

void TForm3::applyLogAnew() {
    applyButtons();
    applyNotices();
    chart_->rebuild();
}

bool TForm3::askBeforeDiscarding() {
    return !recorder_.unsavedSamples() || dialogs_->askToDiscard();
}

void TForm3::ButtonStartClick() {
    if (!askBeforeDiscarding()) return;
    recorder_.start();
    applyLogAnew();
}

void TForm3::ButtonStopClick() {
    recorder_.stop();
    applyButtons();
}

void TForm3::ButtonClrClick() {
    if (!askBeforeDiscarding()) return;
    recorder_.clear();
    applyLogAnew();
}

void TForm3::Timer1Timer() {
    const bxl::LogTick t = recorder_.tick(interval());
    if (t.flash != bxl::LogFlash::Unchanged) {
        const bool on = t.flash == bxl::LogFlash::On;
        setup_->showLogging(on);
        emit logFlash(on);
    }
    if (t.sampled) {
        chart_->append(t.sampleAt);
        applyNotices();
    }
    if (t.stopped || t.saveEnabled) applyButtons();
}

void TForm3::CheckBoxClick() {
    chart_->setFlowsOnOwnAxis(legend_->flowsOnOwnAxis());
    chart_->showSeries(legend_->visibleSeries(), legend_->markersShown());
}

void TForm3::Chart1MouseWheelDown() {
    chart_->zoomByPercent(110);
}

void TForm3::Chart1MouseWheelUp() {
    chart_->zoomByPercent(90);
}

void TForm3::zoomToPixels(const QRect& rect) {
    chart_->zoomToPixels(rect);
}

void TForm3::panByPixels(QPoint from, QPoint to, const bxl::ChartRanges& startRanges) {
    chart_->panByPixels(from, to, startRanges);
}

void TForm3::undoZoom() {
    chart_->undoZoom();
}

bool TForm3::offerRecovery(bxl::LogJournal& journal) {
    const std::optional<bxl::LogFileContents> found = journal.findUnsaved();
    if (!found || recorder_.logActive()) return false;
    const double start = found->times.front();
    if (!dialogs_->askToRestore(*found, journal.asidePath(start))) {
        journal.setFoundAside(start);
        return false;
    }
    recorder_.restore(*found);
    applyLogAnew();
    return true;
}

void TForm3::ButtonSaveClick() {
    if (dialogs_->save(log_)) recorder_.saved();
}

void TForm3::ButtonLoadClick() {
    if (!askBeforeDiscarding()) return;
    const std::optional<bxl::LogFileContents> contents = dialogs_->load();
    if (!contents) return;
    recorder_.loaded(*contents);
    applyLogAnew();
}

void TForm3::ButtonExportCsvClick() {
    dialogs_->exportCsv(log_);
}

void TForm3::ButtonSavePictureClick() {
    dialogs_->savePicture(*chart_);
}

QImage TForm3::trendPicture(QSize size, qreal scale) const {
    QImage image(size * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QCPPainter painter(&image);
    painter.scale(scale, scale);
    chart_->drawPicture(painter, size);
    painter.end();
    return image;
}
