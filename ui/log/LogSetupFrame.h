// The log window's setup frame "GroupBox1" ("Setup"): "Start Log", "Stop
// Log", "Clear Log", "Save Log" and "Load Log", the log interval, the
// flashing "Logging" indicator, the notices of a recording stopped at the
// size limit and of a recording without a journal, and "Export CSV..." and
// "Save picture..." for the recording shown.
#pragma once

#include <QGroupBox>
#include <memory>

#include "ui/log/IntervalField.h"

class QLabel;
class QPushButton;

namespace bxl {
struct LogButtons;
}

namespace bxl::ui {

class LogSetupFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit LogSetupFrame(QWidget* window);
    ~LogSetupFrame() override;

    QPushButton* startButton() const { return startButton_; }  // ButtonStart
    QPushButton* stopButton() const { return stopButton_; }    // ButtonStop
    QPushButton* clearButton() const { return clearButton_; }  // ButtonClr
    QPushButton* saveButton() const { return saveButton_; }    // ButtonSave
    QPushButton* loadButton() const { return loadButton_; }    // ButtonLoad
    QPushButton* exportCsvButton() const { return exportCsvButton_; }
    QPushButton* savePictureButton() const { return savePictureButton_; }
    int interval() const { return interval_->interval(); }

    void showButtons(const LogButtons& enabled);
    void showLogging(bool on);
    void showLimitReached(bool reached);
    // Why the recording has no journal; empty when it has one.
    void showJournalProblem(const QString& problem);

private:
    QPushButton* startButton_;
    QPushButton* stopButton_;
    QPushButton* clearButton_;
    QPushButton* saveButton_;
    QPushButton* loadButton_;
    QPushButton* exportCsvButton_;    // ButtonExportCsv
    QPushButton* savePictureButton_;  // ButtonSavePicture
    // Destroyed before the frame's widgets, so that its handlers never run on
    // a frame being taken apart.
    std::unique_ptr<IntervalField> interval_;
    QLabel* loggingLabel_;  // LabelLogging
    QLabel* limitLabel_;    // LabelLimit
    QLabel* journalLabel_;  // LabelJournal
};

}  // namespace bxl::ui
