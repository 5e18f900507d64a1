// The application object: one place where an exception that escapes an event
// handler is caught, shown in a message box, and ends the program.
#pragma once

#include <QApplication>

namespace bxl {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the error the way the program reports a fatal fault.
    static void showFatal(const QString& what);
};

}  // namespace bxl
