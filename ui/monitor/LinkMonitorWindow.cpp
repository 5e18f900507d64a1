#include "ui/monitor/LinkMonitorWindow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "model/FileIo.h"

namespace bxl::ui {

namespace {

QString countersText(const MonitorCounters& c) {
    return QStringLiteral(
               "Requests %1    Good replies %2    Bad frames %3    Timeouts %4    Last good reply %5    "
               "Poll cycle %6")
        .arg(c.requests)
        .arg(c.goodReplies)
        .arg(c.badFrames)
        .arg(c.timeouts)
        .arg(c.lastGoodReplyMs < 0 ? QStringLiteral("none")
                                   : QString::fromStdString(localTimeText(c.lastGoodReplyMs)))
        .arg(c.pollCycleMs < 0 ? QStringLiteral("-") : QStringLiteral("%1 ms").arg(c.pollCycleMs));
}

}  // namespace

LinkMonitorWindow::LinkMonitorWindow(LinkMonitor& monitor, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), monitor_(monitor), dialogs_(dialogs) {
    setObjectName(QStringLiteral("linkMonitor"));
    setWindowTitle(QStringLiteral("Link monitor"));
    auto* layout = new QVBoxLayout(this);

    counters_ = new QLabel(this);
    counters_->setObjectName(QStringLiteral("monitorCounters"));
    layout->addWidget(counters_);

    rows_ = new QPlainTextEdit(this);
    rows_->setObjectName(QStringLiteral("monitorRows"));
    rows_->setReadOnly(true);
    rows_->setLineWrapMode(QPlainTextEdit::NoWrap);
    rows_->setMaximumBlockCount(static_cast<int>(LinkMonitor::kMaxRows));
    rows_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(rows_);

    auto* buttons = new QHBoxLayout;
    pause_ = new QPushButton(QStringLiteral("Pause"), this);
    pause_->setObjectName(QStringLiteral("monitorPause"));
    pause_->setCheckable(true);
    auto* clear = new QPushButton(QStringLiteral("Clear"), this);
    clear->setObjectName(QStringLiteral("monitorClear"));
    auto* saveButton = new QPushButton(QStringLiteral("Save..."), this);
    saveButton->setObjectName(QStringLiteral("monitorSave"));
    buttons->addWidget(pause_);
    buttons->addWidget(clear);
    buttons->addWidget(saveButton);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(pause_, &QPushButton::toggled, this, [this](bool paused) {
        monitor_.setPaused(paused);
        pause_->setText(paused ? QStringLiteral("Resume") : QStringLiteral("Pause"));
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        monitor_.clear();
        rows_->clear();
        shownRows_ = monitor_.rowsAdded();
        catchUp();
    });
    connect(saveButton, &QPushButton::clicked, this, &LinkMonitorWindow::save);

    refresh_ = new QTimer(this);
    refresh_->setInterval(250);
    connect(refresh_, &QTimer::timeout, this, &LinkMonitorWindow::catchUp);
    refresh_->start();
    resize(900, 420);
    catchUp();
}

void LinkMonitorWindow::catchUp() {
    const QString counters = countersText(monitor_.counters());
    if (counters_->text() != counters) counters_->setText(counters);
    const long fresh = monitor_.rowsAdded() - shownRows_;
    if (fresh <= 0) return;
    const auto& rows = monitor_.rows();
    const std::size_t from =
        rows.size() - std::min<std::size_t>(rows.size(), static_cast<std::size_t>(fresh));
    for (std::size_t i = from; i < rows.size(); ++i)
        rows_->appendPlainText(QString::fromStdString(rowText(rows[i])));
    shownRows_ = monitor_.rowsAdded();
}

void LinkMonitorWindow::save() {
    const QString path = dialogs_.pickPath(
        this, {"monitorSaveDialog", "Save the line as text", true, "Text files (*.txt)", "txt", true});
    if (path.isEmpty()) return;
    const std::string text = monitorText(monitor_);
    if (!writeFileSafely(path.toStdString(), text.data(), text.size()))
        dialogs_.tell(this, QStringLiteral("Could not write %1").arg(path));
}

}  // namespace bxl::ui
