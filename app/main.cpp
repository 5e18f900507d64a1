// Start-up: the application object, the four windows in the order main,
// overview, log, graphs (the three secondary windows hidden), the offer to
// restore a recording left unsaved, then the message loop until the main
// window closes.
#include <QTimer>
#include <exception>

#include "app/Application.h"
#include "app/ToolWindows.h"

int main(int argc, char** argv) {
    bxl::Application app(argc, argv);
    try {
        bxl::ToolWindows windows(bxl::defaultJournalFolder(), bxl::defaultHistoryFolder());
        windows.form1.show();
        // Asked once the main window is on the screen.
        QTimer::singleShot(0, &windows.form1, [&windows] { windows.offerRecovery(); });
        return app.exec();
    } catch (const std::exception& e) {
        bxl::Application::showFatal(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        bxl::Application::showFatal(QStringLiteral("Unknown error"));
    }
    return 1;
}
