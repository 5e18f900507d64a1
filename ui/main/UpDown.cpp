#include "ui/main/UpDown.h"

#include <QLineEdit>
#include <QResizeEvent>
#include <QToolButton>
#include <algorithm>

TUpDown::TUpDown(int minimum, int maximum, int position, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), position_(position) {
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void TUpDown::setAssociate(QLineEdit* field) {
    field_ = field;
    if (field_) field_->setText(QString::number(position_));
}

void TUpDown::setPosition(int p) {
    p = std::clamp(p, minimum_, maximum_);
    if (p == position_) return;
    position_ = p;
    if (field_) field_->setText(QString::number(position_));
    emit positionChanged(position_);
}

void TUpDown::stepBy(int delta) {
    setPosition(position_ + delta);
}

void TUpDown::resizeEvent(QResizeEvent*) {
    const int h = height() / 2;
    up_->setGeometry(0, 0, width(), h);
    down_->setGeometry(0, h, width(), height() - h);
}
