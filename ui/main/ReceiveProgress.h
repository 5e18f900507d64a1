// The receive progress ("ProgressBarRec"): it follows the byte count of the
// reply coming in, but repaints at most at a frame rate, so that a reply of
// hundreds of bytes does not cost hundreds of repaints.
#pragma once

#include <QElapsedTimer>
#include <QObject>

class QProgressBar;
class QWidget;
class QTimer;

namespace bxl::ui {

class ReceiveProgress : public QObject {
    Q_OBJECT
public:
    // The bar (range 0 to 220) in the "Communication port" frame.
    explicit ReceiveProgress(QWidget* frame);

    // An emptied buffer shows at once; growth at most every 40 ms, the last
    // count always.
    void show(int count);

private:
    void paint();

    QProgressBar* bar_;
    QTimer* delay_;
    QElapsedTimer painted_;
    int count_ = 0;
};

}  // namespace bxl::ui
