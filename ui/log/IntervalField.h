// The log interval in the setup frame: the text field "Edit1" and its
// spinner "UpDownLogInt", 2 to 60 seconds. The interval in force is the
// spinner's position. Typed text is taken over when it is a whole number from
// 2 to 60; other text leaves the interval as it was and is put back when the
// field is left.
#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

namespace bxl::ui {

class UpDown;

class IntervalField : public QObject {
    Q_OBJECT
public:
    // The field and spinner inside `frame`. The handlers of the field belong
    // to this object, so they stop with it, before the field is destroyed.
    explicit IntervalField(QWidget* frame);

    QLineEdit* edit() const { return edit_; }
    UpDown* spinner() const { return spinner_; }
    int interval() const;

private:
    void takeTypedText(const QString& text);

    QLineEdit* edit_;
    UpDown* spinner_;
};

}  // namespace bxl::ui
