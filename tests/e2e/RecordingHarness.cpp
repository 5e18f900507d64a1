// The whole tool as the program wires it (windows, serial adapter, journal in
// the state folder of the environment), driven with real clicks for the
// recording end-to-end test.
//
//   bxl-recording-harness record
//       opens the log window, sets the interval to 2 s and starts recording
//       once the unit answers; prints every sample as it is taken:
//       "sample <time> <value 1> ... <value 15>", numbers as hex floats.
//   bxl-recording-harness restore FILE
//       answers the start-up offer to restore a recording with OK, saves
//       the log to FILE with "Save Log" and closes the main window; prints
//       "question <text>" for every question and "saved <N>" at the end.
//
// Exits 0 when done, 2 on bad arguments, 3 when a step could not be taken.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <string>

#include "app/Application.h"
#include "app/ToolWindows.h"
#include "link/QtSerialPortAdapter.h"

namespace {

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// The engineer of the harness: answers the log window's questions with OK
// and saves to the file given; a question of the main window's close query
// or a failure shown ends the run.
struct HarnessDialogs : bxl::ui::Dialogs {
    QWidget* mainWindow = nullptr;
    QString savePath;

    bool ask(QWidget* window, const QString& text, DefaultButton) override {
        if (window == mainWindow) {
            say("close question " + text.toStdString());
            std::exit(3);
        }
        say("question " + QString(text).replace(QLatin1Char('\n'), QLatin1Char('|')).toStdString());
        return true;
    }
    void tell(QWidget*, const QString& text) override {
        say("error " + text.toStdString());
        std::exit(3);
    }
    QString pickPath(QWidget*, const bxl::ui::FileDialogSetup&) override { return savePath; }
};

void click(QWidget* window, const char* name) {
    auto* b = window->findChild<QPushButton*>(QString::fromLatin1(name));
    if (b == nullptr || !b->isEnabled()) {
        say(std::string("cannot click ") + name);
        std::exit(3);
    }
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
}

std::string hex(double d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%a", d);
    return buf;
}

}  // namespace

int main(int argc, char** argv) {
    bxl::Application app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!(mode == "record" && argc == 2) && !(mode == "restore" && argc == 3)) {
        std::fprintf(stderr, "usage: bxl-recording-harness record | restore FILE\n");
        return 2;
    }

    HarnessDialogs dialogs;
    bxl::ToolWindows windows(std::make_unique<bxl::QtSerialPortAdapter>(), dialogs,
                             bxl::defaultJournalFolder());
    TForm1& form1 = windows.form1;
    TForm3& form3 = windows.form3;
    dialogs.mainWindow = &form1;
    form1.show();
    windows.offerRecovery();

    if (mode == "restore") {
        dialogs.savePath = QString::fromLocal8Bit(argv[2]);
        QTimer::singleShot(0, &app, [&] {
            if (!form3.isVisible()) {
                say("no recording restored");
                std::exit(3);
            }
            click(&form3, "ButtonSave");
            say("saved " + std::to_string(form3.logStore().count(0)));
            form1.close();
        });
        return app.exec();
    }

    // Record: once the unit answers, as an engineer would.
    auto* get = form1.findChild<QPushButton*>(QStringLiteral("BitBtnHaal"));
    QTimer waitForUnit;
    waitForUnit.setInterval(100);
    QObject::connect(&waitForUnit, &QTimer::timeout, &app, [&] {
        if (!get->isEnabled()) return;
        waitForUnit.stop();
        click(&form1, "BitBtnLog");
        auto* edit = form3.findChild<QLineEdit*>(QStringLiteral("Edit1"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("2"));
        click(&form3, "ButtonStart");
        say("recording");
    });
    waitForUnit.start();

    // Each sample, once the log window's tick has taken it (and written it
    // to the journal): the log timer's handler runs before this one.
    std::size_t told = 0;
    auto* logTimer = form3.findChild<QTimer*>(QStringLiteral("Timer1"));
    QObject::connect(logTimer, &QTimer::timeout, &app, [&] {
        const bxl::LogStore& log = form3.logStore();
        for (; told < log.count(0); ++told) {
            std::string line = "sample " + hex(log.time(0, told));
            for (int s = 0; s < bxl::kLogSeriesCount; ++s) line += " " + hex(log.value(s, told));
            say(line);
        }
    });
    return app.exec();
}
