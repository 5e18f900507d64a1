// Answers the next message box with a key press once it is up, and notes
// what it showed: for tests of the message boxes the windows show themselves.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

struct BoxWatch {
    QString title, text;
    bool cancelIsDefault = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool seen = false;
    QTimer timer;

    explicit BoxWatch(Qt::Key key) {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, &timer, [this, key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            timer.stop();
            seen = true;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            cancelIsDefault = box->defaultButton() == box->button(QMessageBox::Cancel);
            QTest::keyClick(box, key);
        });
        timer.start();
    }
};
