// The main window's "Communication port" frame ("GroupBox1"): the port
// number field "EditComNr" with its spinner "UpDown1" (1 to 16), the
// "Open"/"Closed" label "LabelComOpen" with the port's device as its tool
// tip, and "Receiving" over the receive progress. While the port is closed a
// small label in the frame's top row says why in a word or two; a click on
// either label asks for the port dialog.
#pragma once

#include <QGroupBox>
#include <QPixmap>

class QLabel;
class QLineEdit;

namespace bxl::ui {

class ReceiveProgress;
class UpDown;

class PortGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit PortGroup(QWidget* window);

    QLineEdit* numberEdit() const { return numberEdit_; }
    // The port number in force: the spinner's position.
    int portNumber() const;
    // Writes the spinner's first position into the number field, which
    // raises the field's change handler.
    void start();

    void showOpen(bool open);
    // The device the port number stands for, or why it could not be opened.
    void showNote(const QString& note);
    void showReceiveCount(int count);
    // Why the port is closed: a word or two on the frame, the sentence as its
    // tool tip; empty words hide it.
    void showReason(const QString& words, const QString& sentence);

signals:
    void portDialogRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The frame and its title (set once) as the style draws them, kept:
    // the receive progress inside repaints up to ten times a second while a
    // reply comes in, and the frame behind it each time with it.
    QPixmap frame_;
    QLineEdit* numberEdit_;
    UpDown* spinner_;
    QLabel* stateLabel_;
    QLabel* reasonLabel_;
    ReceiveProgress* receiveProgress_;
};

}  // namespace bxl::ui
