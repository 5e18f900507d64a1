#include "ui/main/ReceiveProgress.h"

#include <QProgressBar>
#include <QTimer>
#include <algorithm>

namespace bxl::ui {

namespace {
constexpr int kFrameMs = 40;
constexpr int kMaximum = 220;
}  // namespace

ReceiveProgress::ReceiveProgress(QWidget* frame)
    : QObject(frame), bar_(new QProgressBar(frame)), delay_(new QTimer(this)) {
    bar_->setObjectName(QStringLiteral("ProgressBarRec"));
    bar_->setGeometry(128, 24, 145, 17);
    bar_->setRange(0, kMaximum);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    delay_->setSingleShot(true);
    connect(delay_, &QTimer::timeout, this, &ReceiveProgress::paint);
}

void ReceiveProgress::show(int count) {
    count_ = std::clamp(count, 0, kMaximum);
    if (count_ == 0 || !painted_.isValid() || painted_.elapsed() >= kFrameMs) {
        paint();
    } else if (!delay_->isActive()) {
        delay_->start(kFrameMs - static_cast<int>(painted_.elapsed()));
    }
}

void ReceiveProgress::paint() {
    delay_->stop();
    painted_.start();
    bar_->setValue(count_);
}

}  // namespace bxl::ui
