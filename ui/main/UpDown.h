// A small up-down spinner bound to a text field: two arrow buttons that step
// a position within a range, without wrap-around, writing it into the field.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(int minimum, int maximum, int position, QWidget* parent = nullptr);

    void setAssociate(QLineEdit* field);  // writes the position into the field
    int position() const { return position_; }
    void setPosition(int p);
    void stepBy(int delta);

protected:
    void resizeEvent(QResizeEvent* event) override;

signals:
    void positionChanged(int position);

private:
    int minimum_;
    int maximum_;
    int position_;
    QLineEdit* field_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
};
