// The log window: the trend recorder with its setup frame, the chart with
// its legend and zoom, and the log files. It turns Qt events into the
// window's handlers; the recorder, the log store and the file format live in
// model/log, the frames, the chart, its gestures and the dialogs are classes
// of their own here. It answers the main window's close query as its
// recording status.
#pragma once

#include <QWidget>
#include <memory>

#include "model/ValueStore.h"
#include "model/log/DateTime.h"
#include "model/log/LogRecorder.h"
#include "model/log/LogStore.h"
#include "model/log/LogView.h"
#include "ui/common/RecordingStatus.h"

class QTimer;

namespace bxl::ui {
class ChartGestures;
class Dialogs;
class LogChart;
class LogDialogs;
class LogLegend;
class LogSetupFrame;
}  // namespace bxl::ui

class TForm3 : public QWidget, public bxl::ui::RecordingStatus {
    Q_OBJECT
public:
    // Questions, failures and file dialogs go through `dialogs`; clock hands
    // out date-time numbers (the PC's local clock when empty).
    TForm3(const bxl::ValueStore& store, bxl::ui::Dialogs& dialogs, QWidget* parent = nullptr,
           bxl::DateTimeClock clock = {});
    ~TForm3() override;

    // The recording status the main window's close query asks.
    bool logActive() const override { return recorder_.logActive(); }
    bool unsavedSamples() const override { return recorder_.unsavedSamples(); }
    void discardUnsavedSamples() override { recorder_.discardJournal(); }

    // Keeps every recording in this journal as well, so that a crash loses
    // no samples (none by default).
    void setJournal(bxl::LogJournal* journal) { recorder_.setJournal(journal); }
    // At start: offers to restore the samples of a journal an earlier run
    // left unsaved. True when they were put into the chart.
    bool offerRecovery(bxl::LogJournal& journal);

    // Event handlers.
    void FormShow();
    void ButtonStartClick();
    void ButtonStopClick();
    void ButtonClrClick();
    void ButtonSaveClick();
    void ButtonLoadClick();
    void ButtonExportCsvClick();
    void ButtonSavePictureClick();
    void Timer1Timer();
    void CheckBoxClick();
    void Chart1MouseWheelDown();
    void Chart1MouseWheelUp();
    // The chart's own zoom operations (gestures on the chart call them).
    void zoomToPixels(const QRect& rect);
    void panByPixels(QPoint from, QPoint to, const bxl::ChartRanges& startRanges);
    void undoZoom();

    int interval() const;
    bxl::SeriesMask visibleSeries() const;
    const bxl::LogStore& logStore() const { return log_; }
    const bxl::LogRecorder& recorder() const { return recorder_; }
    const bxl::LogView& view() const;
    bxl::ui::LogChart* chart() const { return chart_; }

    // True when the log holds samples (recorded, loaded or restored).
    bool hasRecording() const { return !log_.empty(); }
    // The chart as it shows the log (ranges, shown series, their legend),
    // laid out at `size` and drawn with `scale` image pixels for each of its
    // pixels. The window need not be shown.
    QImage trendPicture(QSize size, qreal scale) const;

signals:
    // The recorder's flashing, 1 s on and 1 s off while recording: the
    // "Logging" label here and the main window's "Log" caption.
    void logFlash(bool on);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyButtons();
    void applyNotices();
    // The log was started, cleared, loaded or restored: buttons, notices and
    // chart anew.
    void applyLogAnew();
    bool askBeforeDiscarding();

    const bxl::ValueStore& store_;
    bxl::LogStore log_;
    bxl::LogRecorder recorder_;
    std::unique_ptr<bxl::ui::LogDialogs> dialogs_;
    bxl::ui::LogLegend* legend_ = nullptr;     // GroupBox2
    bxl::ui::LogSetupFrame* setup_ = nullptr;  // GroupBox1
    bxl::ui::LogChart* chart_ = nullptr;       // Chart1
    bxl::ui::ChartGestures* gestures_ = nullptr;
    QTimer* tickTimer_ = nullptr;  // Timer1
};
