// Start-up: the application object, the four windows in the order main,
// overview, log, graphs (the three secondary windows hidden), then the message
// loop until the main window closes.
#include <exception>

#include "app/Application.h"
#include "app/ToolWindows.h"

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    try {
        bxl::ToolWindows windows;
        windows.form1.show();
        return app.exec();
    } catch (const std::exception& e) {
        TApplication::showFatal(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        TApplication::showFatal(QStringLiteral("Unknown error"));
    }
    return 1;
}
