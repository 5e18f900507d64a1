#include "ui/common/UiCommon.h"

#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QWidget>

namespace bxl::ui {

QFont windowFont() {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(kPx8pt);
    return f;
}

QFont arialFont(int pixelSize, bool bold) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QString toDisplayText(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

QString toDisplayText(const char* s) {
    return QString::fromLatin1(s);
}

void setupFixedWindow(QWidget* w, const QString& caption, int clientWidth, int clientHeight, int left,
                      int top) {
    w->setWindowTitle(caption);
    w->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                      Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                      Qt::MSWindowsFixedSizeDialogHint);
    w->setFixedSize(clientWidth, clientHeight);
    w->move(left, top);
    w->setFont(windowFont());
    w->setAutoFillBackground(true);
}

void setTextColour(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::ButtonText, c);
    w->setPalette(p);
}

QColor textColour(const QWidget* w) {
    return w->palette().color(QPalette::Text);
}

void setBackground(QWidget* w, const QColor& c) {
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
}

void setFieldBackground(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
}

QColor faceColour() {
    return QApplication::palette().color(QPalette::Button);
}
QColor windowColour() {
    return QApplication::palette().color(QPalette::Base);
}
QColor windowTextColour() {
    return QApplication::palette().color(QPalette::WindowText);
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString fromLocalPath(const std::string& path) {
    return QFile::decodeName(path.c_str());
}

}  // namespace bxl::ui
