// The receive progress ("ProgressBarRec"): the byte count of the reply
// coming in, as the poll timer's ticks show it.
#pragma once

#include <QObject>

class QProgressBar;
class QWidget;

namespace bxl::ui {

class ReceiveProgress : public QObject {
    Q_OBJECT
public:
    // The bar (range 0 to 220) in the "Communication port" frame.
    explicit ReceiveProgress(QWidget* frame);

    // Moves the bar to `count` (at most 220), drawn with the rest of the
    // window's changes of the same event.
    void show(int count);

private:
    QProgressBar* bar_;
};

}  // namespace bxl::ui
