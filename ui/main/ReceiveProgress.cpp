#include "ui/main/ReceiveProgress.h"

#include <QProgressBar>
#include <algorithm>

namespace bxl::ui {

namespace {
constexpr int kMaximum = 220;
}  // namespace

ReceiveProgress::ReceiveProgress(QWidget* frame) : QObject(frame), bar_(new QProgressBar(frame)) {
    bar_->setObjectName(QStringLiteral("ProgressBarRec"));
    bar_->setGeometry(128, 24, 145, 17);
    bar_->setRange(0, kMaximum);
    bar_->setValue(0);
    bar_->setTextVisible(false);
}

void ReceiveProgress::show(int count) {
    const int shown = std::clamp(count, 0, kMaximum);
    if (shown == bar_->value()) return;
    // A progress bar repaints at once when its value moves; held back, it is
    // drawn in one pass with whatever else the same event changed (the
    // status line, the fields).
    bar_->setUpdatesEnabled(false);
    bar_->setValue(shown);
    bar_->setUpdatesEnabled(true);
}

}  // namespace bxl::ui
