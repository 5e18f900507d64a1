// The up-down spinner bound to a text field ("UpDown1" beside the port
// number, "UpDownLogInt" beside the log interval): two arrow buttons that
// step a position within a range, without wrap-around.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace bxl::ui {

class UpDown : public QWidget {
    Q_OBJECT
public:
    // The position starts clamped to minimum..maximum. The spinner takes no
    // focus unless its window gives it a focus policy; with the focus, the
    // Up and Down keys step it like its arrows.
    UpDown(int minimum, int maximum, int position, QWidget* parent = nullptr);

    // The field a step writes the new position into (and that gets the
    // position now). Whatever the field's own change handler does follows
    // from that write.
    void setAssociate(QLineEdit* field);

    int position() const { return position_; }
    // Follows the associated field quietly: clamps, writes nothing.
    void setPosition(int position);
    // An arrow click: moves by delta within the range and, when the position
    // changed, writes it into the associated field.
    void stepBy(int delta);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int minimum_;
    int maximum_;
    int position_;
    QLineEdit* associate_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace bxl::ui
