#include "ui/common/UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace bxl::ui {

UpDown::UpDown(int minimum, int maximum, int position, QWidget* parent)
    : QWidget(parent),
      minimum_(minimum),
      maximum_(maximum),
      position_(std::clamp(position, minimum, maximum)),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
    }
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void UpDown::setAssociate(QLineEdit* field) {
    associate_ = field;
    if (associate_ != nullptr) associate_->setText(QString::number(position_));
}

void UpDown::setPosition(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
}

void UpDown::stepBy(int delta) {
    const int moved = std::clamp(position_ + delta, minimum_, maximum_);
    if (moved == position_) return;
    position_ = moved;
    if (associate_ != nullptr) associate_->setText(QString::number(position_));
}

void UpDown::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        stepBy(1);
    } else if (event->key() == Qt::Key_Down) {
        stepBy(-1);
    } else {
        QWidget::keyPressEvent(event);
    }
}

}  // namespace bxl::ui
