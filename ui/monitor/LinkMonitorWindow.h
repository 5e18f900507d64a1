// The link monitor window: the rows and counters of a LinkMonitor, shown as
// they come (four times a second), with Pause, Clear and Save as a text
// file. The monitor itself does the watching; this window only shows it.
#pragma once

#include <QWidget>

#include "link/LinkMonitor.h"
#include "ui/common/Dialogs.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace bxl::ui {

class LinkMonitorWindow : public QWidget {
    Q_OBJECT
public:
    LinkMonitorWindow(LinkMonitor& monitor, Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows what the monitor has that the window does not show yet.
    void catchUp();

private:
    void save();

    LinkMonitor& monitor_;
    Dialogs& dialogs_;
    long shownRows_ = 0;  // rows added to the monitor that the window shows
    QLabel* counters_;
    QPlainTextEdit* rows_;
    QPushButton* pause_;
    QTimer* refresh_;
};

}  // namespace bxl::ui
