#include "app/Application.h"

#include <QIcon>
#include <QMessageBox>
#include <cstdlib>
#include <exception>

#include "ui/main/Form1.h"

namespace bxl {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromLatin1(TForm1::kTitle));
    setApplicationVersion(QStringLiteral("3.07"));
    setDesktopFileName(QStringLiteral("com.brisaval.xlcontrolcenter"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/bxl-control-center.svg")));
}

void Application::showFatal(const QString& what) {
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(TForm1::kTitle), what, QMessageBox::Ok);
    box.exec();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showFatal(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showFatal(QStringLiteral("Unknown error"));
    }
    // Nothing can be trusted after an escaped exception: end the program.
    std::exit(EXIT_FAILURE);
}

}  // namespace bxl
