#include "ui/log/LogSetupFrame.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/log/LogRecorder.h"
#include "ui/common/UiCommon.h"
#include "ui/common/UpDown.h"

namespace bxl::ui {

namespace {

// Notices under the interval field, in the free part of the frame.
constexpr QRect kLimitNoticeRect(184, 46, 368, 16);
constexpr QRect kJournalNoticeRect(184, 64, 368, 16);
const QColor kNoticeColour(192, 0, 0);

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, int x, int y,
                        int width = 75) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, width, 25);
    return button;
}

QLabel* makeNotice(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    auto* notice = new QLabel(text, parent);
    notice->setObjectName(QString::fromLatin1(name));
    notice->setGeometry(place);
    setTextColour(notice, kNoticeColour);
    notice->hide();
    return notice;
}

}  // namespace

LogSetupFrame::LogSetupFrame(QWidget* window) : QGroupBox(QStringLiteral("Setup"), window) {
    setObjectName(QStringLiteral("GroupBox1"));
    setGeometry(184, 0, 673, 89);

    startButton_ = makeButton(this, "ButtonStart", "Start Log", 8, 16);
    stopButton_ = makeButton(this, "ButtonStop", "Stop Log", 8, 48);
    clearButton_ = makeButton(this, "ButtonClr", "Clear Log", 96, 48);
    saveButton_ = makeButton(this, "ButtonSave", "Save Log", 560, 16);
    loadButton_ = makeButton(this, "ButtonLoad", "Load Log", 560, 48);
    // The exports of the recording shown, in the free part of the top row
    // between the "Logging" indicator and "Save Log".
    exportCsvButton_ = makeButton(this, "ButtonExportCsv", "Export CSV...", 386, 16, 82);
    savePictureButton_ = makeButton(this, "ButtonSavePicture", "Save picture...", 472, 16, 82);
    exportCsvButton_->setToolTip(QStringLiteral("Write the samples shown as a CSV table for a spreadsheet"));
    savePictureButton_->setToolTip(
        QStringLiteral("Write the chart as shown as a PNG picture or a PDF document"));

    auto* intervalLabel = new QLabel(QStringLiteral("Log interval (sec)"), this);
    intervalLabel->setObjectName(QStringLiteral("Label1"));
    intervalLabel->move(96, 20);
    intervalLabel->adjustSize();
    interval_ = std::make_unique<IntervalField>(this);

    loggingLabel_ = new QLabel(QStringLiteral("Logging"), this);
    loggingLabel_->setObjectName(QStringLiteral("LabelLogging"));
    loggingLabel_->setGeometry(256, 12, 110, 29);
    QFont big = windowFont();
    big.setPixelSize(24);
    big.setBold(true);
    big.setItalic(true);
    loggingLabel_->setFont(big);
    setTextColour(loggingLabel_, QColor(255, 0, 0));
    loggingLabel_->hide();

    limitLabel_ =
        makeNotice(this, "LabelLimit",
                   QStringLiteral("Log full: recording stopped at %1 samples.").arg(kLogSampleLimit + 1),
                   kLimitNoticeRect);
    journalLabel_ = makeNotice(this, "LabelJournal",
                               QStringLiteral("No backup copy of this recording: use Save Log to keep it."),
                               kJournalNoticeRect);

    setTabOrder(clearButton_, startButton_);
    setTabOrder(startButton_, interval_->edit());
    setTabOrder(interval_->edit(), interval_->spinner());
    setTabOrder(interval_->spinner(), saveButton_);
    setTabOrder(saveButton_, loadButton_);
    setTabOrder(loadButton_, stopButton_);
    setTabOrder(stopButton_, exportCsvButton_);
    setTabOrder(exportCsvButton_, savePictureButton_);
}

LogSetupFrame::~LogSetupFrame() = default;

void LogSetupFrame::showButtons(const LogButtons& enabled) {
    startButton_->setEnabled(enabled.start);
    stopButton_->setEnabled(enabled.stop);
    clearButton_->setEnabled(enabled.clear);
    saveButton_->setEnabled(enabled.save);
    loadButton_->setEnabled(enabled.load);
}

void LogSetupFrame::showLogging(bool on) {
    loggingLabel_->setVisible(on);
}

void LogSetupFrame::showLimitReached(bool reached) {
    limitLabel_->setVisible(reached);
}

void LogSetupFrame::showJournalProblem(const QString& problem) {
    journalLabel_->setVisible(!problem.isEmpty());
    if (journalLabel_->toolTip() != problem) journalLabel_->setToolTip(problem);
}

}  // namespace bxl::ui
