// The read-only value field of a menu line. Gaining the focus, by mouse or by
// keyboard, raises entered(); unlike a plain line edit it does not select its
// text when tabbed into.
#pragma once

#include <QLineEdit>

class TValueField : public QLineEdit {
    Q_OBJECT
public:
    explicit TValueField(QWidget* parent = nullptr) : QLineEdit(parent) {}

signals:
    void entered();

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        deselect();
        emit entered();
    }
};
