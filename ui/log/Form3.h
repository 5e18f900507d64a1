// The log window: trend recorder, chart with legend and zoom, log files.
#pragma once

#include <QAbstractButton>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "model/ValueStore.h"
#include "model/log/DateTime.h"
#include "model/log/LogRecorder.h"
#include "model/log/LogStore.h"
#include "model/log/LogView.h"

class QCheckBox;
class QCustomPlot;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bxl::ui {
class UpDown;
}

class TForm3 : public QWidget {
    Q_OBJECT
public:
    // clock hands out date-time numbers; the PC's local clock when empty.
    explicit TForm3(const bxl::ValueStore& store, QWidget* parent = nullptr, bxl::DateTimeClock clock = {});
    ~TForm3() override;

    // 1 while the recorder records; read by the main window's close query.
    bool logActive() const { return recorder_.logActive(); }
    // The main window's "Log" button, whose caption flashes while recording.
    void setLogButton(QAbstractButton* button) { logButton_ = button; }

    // The file dialogs only pick a path; an empty path means cancelled.
    using PathPicker = std::function<QString()>;
    void setSavePathPicker(PathPicker p) { pickSavePath_ = std::move(p); }
    void setOpenPathPicker(PathPicker p) { pickOpenPath_ = std::move(p); }
    // Shows a failure ("ERROR" message box with OK by default).
    using ErrorSink = std::function<void(const QString& text)>;
    void setErrorSink(ErrorSink s) { showError_ = std::move(s); }
    // Asks a question; true for OK ("Warning" message box with OK and
    // Cancel, Cancel the default, by default).
    using Confirm = std::function<bool(const QString& text)>;
    void setConfirm(Confirm c) { confirm_ = std::move(c); }

    // Keeps every recording in this journal as well, so that a crash loses
    // no samples (none by default).
    void setJournal(bxl::LogJournal* journal) { recorder_.setJournal(journal); }
    // At start: offers to restore the samples of a journal an earlier run
    // left unsaved. True when they were put into the chart.
    bool offerRecovery(bxl::LogJournal& journal);
    // The chart holds samples that are in no saved file.
    bool unsavedSamples() const { return recorder_.unsavedSamples(); }
    // The engineer closes the program without saving them.
    void discardUnsavedSamples() { recorder_.discardJournal(); }

    // Event handlers.
    void FormShow();
    void ButtonStartClick();
    void ButtonStopClick();
    void ButtonClrClick();
    void ButtonSaveClick();
    void ButtonLoadClick();
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
    const bxl::LogView& view() const { return view_; }
    QCustomPlot* chart() const { return chart_; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildLegend();
    void buildSetup();
    void buildChart();
    void applyButtons();
    void applyRanges();
    void rebuildGraphs();
    void appendToGraphs(std::size_t index);
    void redraw();
    void reportError(const QString& text);
    bool ask(const QString& text);
    bool askBeforeDiscarding();
    void applyNotices();
    QString defaultSavePath();
    QString defaultOpenPath();
    void Edit1Change(const QString& text);

    const bxl::ValueStore& store_;
    bxl::LogStore log_;
    bxl::LogRecorder recorder_;
    bxl::LogView view_;
    QPointer<QAbstractButton> logButton_;
    PathPicker pickSavePath_;
    PathPicker pickOpenPath_;
    ErrorSink showError_;
    Confirm confirm_;

    QGroupBox* groupBox1_ = nullptr;
    QGroupBox* groupBox2_ = nullptr;
    std::array<QCheckBox*, bxl::kLogSeriesCount> checkBoxes_{};
    QCheckBox* checkBoxLogP_ = nullptr;
    QPushButton* buttonStart_ = nullptr;
    QPushButton* buttonStop_ = nullptr;
    QPushButton* buttonClr_ = nullptr;
    QPushButton* buttonSave_ = nullptr;
    QPushButton* buttonLoad_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    bxl::ui::UpDown* upDown_ = nullptr;
    QLabel* labelLogging_ = nullptr;
    QLabel* labelLimit_ = nullptr;    // the recording stopped at the size limit
    QLabel* labelJournal_ = nullptr;  // the recording has no journal
    QCustomPlot* chart_ = nullptr;
    QTimer* timer1_ = nullptr;

    int wheelRest_ = 0;  // wheel delta short of a whole notch
    bool panning_ = false;
    QPoint panFrom_;
    bxl::ChartRanges panRanges_;
    bool dirty_ = false;  // the chart changed while hidden
};
