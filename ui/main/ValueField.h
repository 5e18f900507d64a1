// The read-only value field of a menu line. Gaining the focus raises
// entered() with the reason Qt gives for it; unlike a plain line edit it does
// not select its text when tabbed into.
#pragma once

#include <QFocusEvent>
#include <QLineEdit>

namespace bxl::ui {

class ValueField : public QLineEdit {
    Q_OBJECT
public:
    explicit ValueField(QWidget* parent = nullptr) : QLineEdit(parent) {}

signals:
    void entered(Qt::FocusReason reason);

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        deselect();
        emit entered(event->reason());
    }
};

}  // namespace bxl::ui
