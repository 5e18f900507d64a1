// The whole tool as it starts (the four windows, the serial adapter, the
// main window polling port 1), with the steps a user would take done by the
// program: open the overview or the graphs window, start the log recorder at
// 2 s, or load a log file. It runs for a given time and prints what it
// measured of itself.
//
//   bxl-app-harness [--overview] [--graphs] [--record] [--load-log FILE] [--seconds N]
//
// Prints "points N" (log points loaded or recorded, per series) and
// "peak_rss_kb N" (VmHWM) before it ends.
#include <QLineEdit>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "app/Application.h"
#include "app/ToolWindows.h"
#include "link/QtSerialPortAdapter.h"

namespace {

// The tool's own message boxes, except that a failure is printed and the
// log file to load is picked without a dialog.
struct HarnessDialogs : bxl::ui::MessageBoxDialogs {
    QString logFile;
    void tell(QWidget*, const QString& text) override {
        std::fprintf(stderr, "log window: %s\n", qPrintable(text));
    }
    QString pickPath(QWidget*, const bxl::ui::FileDialogSetup&) override { return logFile; }
};

long statusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::size_t n = std::strlen(field);
    while (std::getline(in, line))
        if (line.compare(0, n, field) == 0) return std::stol(line.substr(n + 1));
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    bxl::Application app(argc, argv);
    bool overview = false, graphs = false, record = false;
    QString logFile;
    int seconds = 10;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--overview") {
            overview = true;
        } else if (a == "--graphs") {
            graphs = true;
        } else if (a == "--record") {
            record = true;
        } else if (a == "--load-log" && i + 1 < argc) {
            logFile = QString::fromLocal8Bit(argv[++i]);
        } else if (a == "--seconds" && i + 1 < argc) {
            seconds = std::stoi(argv[++i]);
        } else {
            std::fprintf(stderr,
                         "usage: bxl-app-harness [--overview] [--graphs] [--record] [--load-log FILE] "
                         "[--seconds N]\n");
            return 2;
        }
    }

    HarnessDialogs dialogs;
    dialogs.logFile = logFile;
    bxl::ToolWindows windows(std::make_unique<bxl::QtSerialPortAdapter>(), dialogs);
    TForm1& form1 = windows.form1;
    TForm3& form3 = windows.form3;
    form1.show();

    QTimer::singleShot(1000, &app, [&] {
        if (overview) form1.BitBtnWHRBDAClick();
        if (graphs) form1.BitBtnGraphClick();
        if (record) {
            if (!form3.isVisible()) form1.BitBtnLogClick();
            if (auto* edit = form3.findChild<QLineEdit*>(QStringLiteral("Edit1")))
                edit->setText(QStringLiteral("2"));
            form3.ButtonStartClick();
        }
        if (!logFile.isEmpty()) {
            if (!form3.isVisible()) form1.BitBtnLogClick();
            form3.ButtonLoadClick();
        }
    });
    QTimer::singleShot(seconds * 1000, &app, [&] {
        std::printf("points %zu\n", form3.logStore().count(0));
        std::printf("peak_rss_kb %ld\n", statusKb("VmHWM:"));
        std::fflush(stdout);
        form3.ButtonStopClick();
        app.exit(0);
    });
    return app.exec();
}
