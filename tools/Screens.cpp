// bxl-screens: takes the user guide's screenshots of every window.
//
//   bxl-screens --sim PATH/bxl-unit-sim --out DIR [--all-windows NAME]
//
// Builds the four windows wired as the application wires them, starts the
// simulated unit on a pseudo-terminal under a private XDG_DATA_HOME (so its
// port 1 alias never touches the user's own), waits for live data, and then
// walks through what a service engineer does: Get, open the editor on a
// setting, the overview in each unit variant and orientation (with the
// unit's live values, and with a winter's and a summer's day), a short log
// while a forced ventilation speed ramps the fans (and its cursor read-out),
// and every graph. Each
// window is saved with QWidget::grab() as a PNG into DIR.
//
// With --all-windows the walk is shorter: after a Get it opens the overview,
// the log and the graphs with the main window's buttons, as they come up on
// the screen it runs on, and saves the whole screen as NAME-screen.png and
// each window as NAME-main.png, NAME-overview.png, NAME-log.png and
// NAME-graphs.png (run it with a scale factor to see the windows scaled).
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/ToolWindows.h"
#include "link/QtSerialPortAdapter.h"
#include "model/Bindings.h"
#include "model/FileIo.h"
#include "model/ParamTable.h"
#include "model/ValueStore.h"
#include "model/overview/OverviewLogic.h"
#include "ui/common/UiCommon.h"
#include "ui/main/ChangeReview.h"
#include "ui/main/PageControl.h"
#include "ui/overview/Form2.h"

namespace {

constexpr const char* kUsage = "usage: bxl-screens --sim PATH/bxl-unit-sim --out DIR [--all-windows NAME]\n";

// Setting value indexes the walk changes.
constexpr int kFlowControlMode = 92;    // M02.10
constexpr int kForceVentilation = 425;  // M30.10
constexpr int kClockTime = 117;         // M60.11 .. M60.61 (+j)
constexpr int kClockDay = 123;          // M60.12 .. M60.62
constexpr int kClockSpeed = 129;        // M60.13 .. M60.63

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void say(const QString& text) {
    std::fprintf(stderr, "bxl-screens: %s\n", qPrintable(text));
}

// The main window's status line, for reports of a stalled walk.
QString lastStatus() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* info = w->findChild<QLabel*>(QStringLiteral("LabelInfo"))) return info->text();
    return QStringLiteral("none");
}

// Runs the event loop until done() holds; fails after timeoutMs.
void waitFor(const QString& what, int timeoutMs, const std::function<bool()>& done) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            throw Failure(
                ("timed out waiting for " + what + " (status line: " + lastStatus() + ")").toStdString());
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

// Runs the event loop for ms milliseconds.
void pump(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

template <typename T>
T* child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    if (c == nullptr) throw Failure(std::string("no widget named ") + name);
    return c;
}

// The walk's answers: OK to every question, no file dialog. A failure shown
// is kept and fails the run at its end.
struct WalkDialogs : bxl::ui::Dialogs {
    QString unexpected;
    bool ask(QWidget*, const QString&, DefaultButton) override { return true; }
    void tell(QWidget*, const QString& text) override { unexpected = text; }
    QString pickPath(QWidget*, const bxl::ui::FileDialogSetup&) override { return {}; }
};

class Shooter {
public:
    explicit Shooter(QString dir) : dir_(std::move(dir)) {}
    // settleMs lets the window take its latest state first; grab() itself
    // always paints afresh.
    void shoot(QWidget& w, const QString& name, int settleMs = 300) {
        pump(settleMs);
        const QString path = QDir(dir_).filePath(name);
        if (!w.grab().save(path, "PNG")) throw Failure(("cannot write " + path).toStdString());
        say("wrote " + path);
    }
    // The whole screen the window is on, as the person sees it.
    void shootScreen(QWidget& w, const QString& name, int settleMs = 300) {
        pump(settleMs);
        const QString path = QDir(dir_).filePath(name);
        if (w.screen() == nullptr || !w.screen()->grabWindow(0).save(path, "PNG"))
            throw Failure(("cannot write " + path).toStdString());
        say("wrote " + path);
    }

private:
    QString dir_;
};

// Sets a setting in the tool as if the unit held it, so no field shows it
// as changed.
void setAsReceived(bxl::ValueStore& store, int index, int32_t v) {
    store.setCurrent(index, v);
    store.setReceived(index, v);
}

int bindingOfRow(const bxl::BindingTable& bindings, int menu, int item) {
    for (int i = 0; i < bxl::kBindingCount; ++i) {
        const bxl::Binding& b = bindings.at(i);
        if (b.valueIndex == -1) break;
        const bxl::ParamRow& r = bxl::kParamTable[b.row];
        if (r.menu == menu && r.item == item) return i;
    }
    throw Failure("no menu line M" + std::to_string(menu) + "." + std::to_string(item));
}

QString statusText(TForm1& form1) {
    return child<QLabel>(form1, "LabelInfo")->text();
}

// Live values of a day the overview is shown with, as the unit would send
// them: value index and raw value (tenths of a degree, m3/h, tenths or
// hundredths of a percent, Pa, flags).
struct Day {
    const char* name;
    std::vector<std::pair<int, int32_t>> process;
    int32_t functionT6, functionT7;  // settings: 1 siphon temperature, 2 NTC5, 0 none
};

const Day kWinter{
    "winter",
    {{256, -125}, {257, 190},  {258, 224},  {259, -56},   {260, 187}, {261, 385},  {323, -125}, {273, 9999},
     {274, 9999}, {300, 1000}, {301, 1000}, {276, 10000}, {296, 0},   {297, 1000}, {298, 0},    {293, 1},
     {347, 0},    {294, 1},    {295, 1},    {355, 1},     {364, 184}, {365, 162}},
    1,
    2};
const Day kSummer{
    "summer",
    {{256, 315},  {257, 178}, {258, 246}, {259, 292}, {260, 179},   {261, 0}, {323, 0},    {273, 4250},
     {274, 4180}, {300, 620}, {301, 605}, {276, 0},   {296, 10000}, {297, 0}, {298, 1000}, {293, 0},
     {347, 0},    {294, 1},   {295, 1},   {355, 0},   {364, 88},    {365, 95}},
    0,
    0};

// Writes a day's values into the store and onto the overview, as a process
// reply would; the next reply brings the unit's own values back.
void showDay(bxl::ValueStore& store, TForm1& form1, const Day& day) {
    for (const auto& [index, value] : day.process) store.setCurrent(index, value);
    setAsReceived(store, 42, day.functionT6);
    setAsReceived(store, 145, day.functionT7);
    form1.liveOverviewRefresh();
}

// The tool on one screen: every window opened with the main window's
// buttons, the screen and each window saved.
void shootAllWindows(bxl::ToolWindows& windows, Shooter& shooter, const QString& name) {
    TForm1& form1 = windows.form1;
    for (const char* button : {"BitBtnWHRBDA", "BitBtnLog", "BitBtnGraph"})
        child<QAbstractButton>(form1, button)->click();
    if (!windows.form2.isVisible() || !windows.form3.isVisible() || !windows.form4.isVisible())
        throw Failure("a window did not open");
    waitFor(QStringLiteral("a process reply"), 15000,
            [&] { return statusText(form1) == QLatin1String("Process received from Brisaval XL"); });
    shooter.shootScreen(form1, name + QStringLiteral("-screen.png"));
    shooter.shoot(form1, name + QStringLiteral("-main.png"), 0);
    shooter.shoot(windows.form2, name + QStringLiteral("-overview.png"), 0);
    shooter.shoot(windows.form3, name + QStringLiteral("-log.png"), 0);
    shooter.shoot(windows.form4, name + QStringLiteral("-graphs.png"), 0);
}

void run(const QString& simPath, const QString& outDir, const QString& allWindows) {
    if (!QFileInfo(simPath).isExecutable()) throw Failure(("no simulator at " + simPath).toStdString());
    if (!QDir().mkpath(outDir)) throw Failure(("cannot make " + outDir).toStdString());
    Shooter shooter(outDir);

    // A private data folder: the simulator's port alias lives there and the
    // tool resolves port 1 to it.
    QTemporaryDir data;
    if (!data.isValid()) throw Failure("cannot make a temporary folder");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const QString alias = data.path() + QStringLiteral("/brisaval-xl/ports/com1");

    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.setStandardOutputFile(QProcess::nullDevice());
    sim.start(simPath, {QStringLiteral("--port"), QStringLiteral("1"), QStringLiteral("--quiet")});
    if (!sim.waitForStarted(5000)) throw Failure("the simulator did not start");
    struct StopSim {
        QProcess& p;
        ~StopSim() {
            p.terminate();
            if (!p.waitForFinished(3000)) p.kill();
            p.waitForFinished(1000);
        }
    } stopSim{sim};
    waitFor(QStringLiteral("the simulator's port alias"), 5000, [&] { return QFileInfo::exists(alias); });

    // The windows, wired as the application wires them. No questions: the
    // walk answers OK and never picks a file.
    WalkDialogs dialogs;
    // The settings history in the private folder: the first Get is what
    // the sample service report finds.
    bxl::ToolWindows windows(std::make_unique<bxl::QtSerialPortAdapter>(), dialogs, std::nullopt,
                             bxl::defaultHistoryFolder());
    bxl::ValueStore& store = windows.store;
    bxl::BindingTable& bindings = windows.bindings;
    TForm1& form1 = windows.form1;
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;
    TForm4& form4 = windows.form4;
    const QString& unexpected = dialogs.unexpected;

    form1.show();
    waitFor(QStringLiteral("live process values"), 15000,
            [&] { return statusText(form1) == QLatin1String("Process received from Brisaval XL"); });

    // Get: read the unit's settings.
    form1.BitBtnHaalClick();
    waitFor(QStringLiteral("the controls"), 15000,
            [&] { return statusText(form1) == QLatin1String("Controls received from Brisaval XL"); });
    waitFor(QStringLiteral("the next process reply"), 15000,
            [&] { return statusText(form1) == QLatin1String("Process received from Brisaval XL"); });

    if (!allWindows.isEmpty()) {
        shootAllWindows(windows, shooter, allWindows);
        form1.close();
        if (!unexpected.isEmpty()) throw Failure(("unexpected message: " + unexpected).toStdString());
        return;
    }

    // The live values of M01 as they are after a Get.
    auto* pages = child<bxl::ui::PageControl>(form1, "PageControl1");
    pages->setCurrentIndex(0);
    shooter.shoot(form1, QStringLiteral("main-live.png"), 0);

    // The main window on M02 with the editor open on a speed setting, stepped
    // up once so it shows as changed and not yet sent.
    // A menu line's page shown, the editor opened on it and "++" pressed.
    const auto stepUp = [&](int binding) {
        pages->setCurrentIndex(bindings.at(binding).page);
        pump(100);
        QLineEdit* field = form1.valueField(binding);
        field->setFocus();
        form1.Edit1Enter(field);
        form1.ButtonEditPPMMClick(child<QAbstractButton>(form1, "ButtonEditPP"));
    };
    stepUp(bindingOfRow(bindings, 2, 2));
    // Taken just after a process reply, so the status line reads as it does
    // most of the time.
    pump(300);
    waitFor(QStringLiteral("a process reply"), 15000,
            [&] { return statusText(form1) == QLatin1String("Process received from Brisaval XL"); });
    shooter.shoot(form1, QStringLiteral("main.png"), 0);

    // What a Send would write, and the compare window with the unit on the
    // left and the tool's values on the right; a clock time changed too.
    const int clockTime = bindingOfRow(bindings, 60, 11);
    const int clockIndex = bindings.at(clockTime).valueIndex;
    const int32_t savedClock = store.current(clockIndex);
    store.setCurrent(clockIndex, savedClock + 15);
    {
        std::unique_ptr<QDialog> review(bxl::ui::makeListQuestionDialog(
            &form1, bxl::ui::sendReview(store, bindings), bxl::ui::Dialogs::DefaultButton::Ok));
        review->show();
        shooter.shoot(*review, QStringLiteral("review.png"));
    }
    windows.compare.show();
    windows.compare.refresh();
    shooter.shoot(windows.compare, QStringLiteral("compare.png"));
    windows.compare.hide();
    store.setCurrent(clockIndex, savedClock);
    // Put the setting back as it was so later sends leave it alone.
    form1.ButtonEditPPMMClick(child<QAbstractButton>(form1, "ButtonEditMM"));
    form1.ButtonXEditClick();
    pages->setCurrentIndex(0);

    // The overview in its three unit variants, each in both orientations.
    struct Variant {
        int32_t heatExchanger, bypassPosition;
        const char* name;
        int firstPanel;
    };
    const Variant variants[] = {
        {0, 0, "heatwheel", bxl::overview::kWWLi},
        {1, 0, "exchanger-exhaust-bypass", bxl::overview::kRecup1},
        {1, 2, "exchanger-supply-bypass", bxl::overview::kMarvek1},
    };
    const int32_t savedExchanger = store.current(bxl::kHeatExchanger);
    const int32_t savedBypass = store.current(bxl::kBypassPosition);
    const int32_t savedT6 = store.current(42);
    const int32_t savedT7 = store.current(145);
    for (const Variant& v : variants) {
        setAsReceived(store, bxl::kHeatExchanger, v.heatExchanger);
        setAsReceived(store, bxl::kBypassPosition, v.bypassPosition);
        form1.BitBtnWHRBDAClick();
        if (!form2.isVisible()) throw Failure("the overview did not open");
        // Name each picture by its panel: the second of a pair is the mirror.
        for (int side = 0; side < 2; ++side) {
            waitFor(QStringLiteral("a process reply"), 15000,
                    [&] { return statusText(form1) == QLatin1String("Process received from Brisaval XL"); });
            const bool mirrored = !form2.panelVisibility()[static_cast<std::size_t>(v.firstPanel)];
            const QString panel =
                QStringLiteral("overview-%1%2")
                    .arg(QString::fromLatin1(v.name), mirrored ? QStringLiteral("-mirrored") : QString());
            shooter.shoot(form2, panel + QStringLiteral(".png"));
            // The same panel on a cold winter's and a hot summer's day, taken
            // before the next process reply brings the unit's values back.
            for (const Day* day : {&kWinter, &kSummer}) {
                showDay(store, form1, *day);
                shooter.shoot(form2, panel + QStringLiteral("-%1.png").arg(QLatin1String(day->name)), 0);
            }
            form2.BitBtnLiReClick();
        }
        form1.BitBtnWHRBDAClick();  // hide
    }
    setAsReceived(store, bxl::kHeatExchanger, savedExchanger);
    setAsReceived(store, bxl::kBypassPosition, savedBypass);
    setAsReceived(store, 42, savedT6);
    setAsReceived(store, 145, savedT7);

    // A short log: record at the shortest interval; after a few samples force
    // ventilation speed 3 and send it, so the airflows and pressures ramp up.
    form1.BitBtnLogClick();
    if (!form3.isVisible()) throw Failure("the log did not open");
    auto* interval = child<QLineEdit>(form3, "Edit1");
    interval->setText(QStringLiteral("2"));
    child<QAbstractButton>(form3, "ButtonStart")->click();
    waitFor(QStringLiteral("the first log samples"), 20000, [&] { return form3.logStore().count(0) >= 5; });
    // Force ventilation has no menu page: set it as the editor would.
    store.setCurrent(kForceVentilation, 3);
    store.setPending(kForceVentilation, 1);
    form1.BitBtnZendClick();
    waitFor(QStringLiteral("the log samples"), 120000, [&] { return form3.logStore().count(0) >= 30; });
    shooter.shoot(form3, QStringLiteral("log.png"));
    child<QAbstractButton>(form3, "ButtonStop")->click();
    // The cursor read-out two thirds along the chart, with the air flows on
    // their own axis so the temperatures fill the left one.
    child<QAbstractButton>(form3, "CheckBoxFlowAxis")->click();
    {
        QWidget* chart = form3.findChild<QWidget*>(QStringLiteral("Chart1"));
        if (chart == nullptr) throw Failure("the log has no chart");
        const QPointF at(QPoint(chart->width() * 2 / 3, chart->height() / 2));  // a whole pixel
        QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(chart, &move);
    }
    shooter.shoot(form3, QStringLiteral("log-cursor.png"));
    child<QAbstractButton>(form3, "CheckBoxFlowAxis")->click();
    form1.BitBtnLogClick();  // hide

    // The graphs: each tab from its menu page's Graph button.
    auto showGraph = [&](int menu, const QString& name) {
        int page = -1;
        for (int i = 0; i < bxl::kBindingCount && page < 0; ++i) {
            const bxl::Binding& b = bindings.at(i);
            if (b.valueIndex == -1) break;
            if (bxl::kParamTable[b.row].menu == menu) page = b.page;
        }
        if (page < 0) throw Failure("no page for menu " + std::to_string(menu));
        pages->setCurrentIndex(page);
        form1.BitBtnGraphClick();
        if (!form4.isVisible()) throw Failure("the graphs did not open");
        shooter.shoot(form4, name);
    };
    showGraph(2, QStringLiteral("graphs-ventilation.png"));
    showGraph(10, QStringLiteral("graphs-heatline.png"));
    showGraph(60, QStringLiteral("graphs-timeclock.png"));
    // A working week: speed 2 from 07:00 on weekdays, speed 1 from 18:00,
    // off at 23:00; weekends speed 1 from 09:00 to 22:00.
    const int32_t clocks[6][3] = {{420, 2, 2}, {1080, 2, 1}, {1380, 2, 0},
                                  {540, 3, 1}, {1320, 3, 0}, {0, 0, 0}};
    int32_t savedClocks[6][3];
    for (int j = 0; j < 6; ++j) {
        savedClocks[j][0] = store.current(kClockTime + j);
        savedClocks[j][1] = store.current(kClockDay + j);
        savedClocks[j][2] = store.current(kClockSpeed + j);
        setAsReceived(store, kClockTime + j, clocks[j][0]);
        setAsReceived(store, kClockDay + j, clocks[j][1]);
        setAsReceived(store, kClockSpeed + j, clocks[j][2]);
    }
    form4.RedrawSelectedGraph();
    shooter.shoot(form4, QStringLiteral("graphs-timeclock-week.png"));
    // Constant pressure control: the clocks choose setpoint 1 or 2.
    const int32_t savedMode = store.current(kFlowControlMode);
    setAsReceived(store, kFlowControlMode, 1);
    setAsReceived(store, kClockSpeed + 5, 5);
    setAsReceived(store, kClockTime + 5, 720);
    setAsReceived(store, kClockDay + 5, 1);
    form4.TabControl1Change();
    shooter.shoot(form4, QStringLiteral("graphs-timeclock-setpoint.png"));
    setAsReceived(store, kFlowControlMode, savedMode);
    for (int j = 0; j < 6; ++j) {
        setAsReceived(store, kClockTime + j, savedClocks[j][0]);
        setAsReceived(store, kClockDay + j, savedClocks[j][1]);
        setAsReceived(store, kClockSpeed + j, savedClocks[j][2]);
    }
    showGraph(70, QStringLiteral("graphs-filters.png"));

    // A sample service report at the end of the visit: the supply air of
    // speed 1 raised and sent since the first Get, a recording in the log.
    pages->setCurrentIndex(0);
    {
        const int supplyAir = bindingOfRow(bindings, 2, 1);
        const int index = bindings.at(supplyAir).valueIndex;
        stepUp(supplyAir);
        form1.ButtonXEditClick();
        const int32_t raised = store.current(index);
        form1.BitBtnZendClick();
        waitFor(QStringLiteral("the Send's echo"), 20000, [&] { return store.received(index) == raised; });
        // A Get at the end, as an engineer checks what the unit now holds
        // (the walk above set some settings in the tool only).
        waitFor(QStringLiteral("a process reply"), 15000,
                [&] { return statusText(form1) == QLatin1String("Process received from Brisaval XL"); });
        form1.BitBtnHaalClick();
        waitFor(QStringLiteral("the controls"), 15000,
                [&] { return statusText(form1) == QLatin1String("Controls received from Brisaval XL"); });
        const QByteArray pdf = windows.serviceReportPdf(
            QStringLiteral(
                "Annual service. Supply and exhaust filters replaced; supply air of speed 1 raised "
                "after the balancing measurement."),
            QDateTime::currentDateTime());
        const QString path = QDir(outDir).filePath(QStringLiteral("service-report.pdf"));
        if (pdf.isEmpty() || !bxl::writeFileSafely(bxl::ui::localPath(path), pdf.constData(),
                                                   static_cast<std::size_t>(pdf.size())))
            throw Failure(("cannot write " + path).toStdString());
        say("wrote " + path);
        pages->setCurrentIndex(0);
    }

    // The port dialog, with port 1 on the simulator's alias, and the link
    // monitor after a few seconds of polling.
    bxl::ui::PortDialog& ports = windows.openPortDialog();
    shooter.shoot(ports, QStringLiteral("ports.png"));
    bxl::ui::LinkMonitorWindow& monitor = windows.openLinkMonitor();
    pump(3000);
    monitor.catchUp();
    shooter.shoot(monitor, QStringLiteral("link-monitor.png"), 0);
    monitor.close();
    ports.close();

    form1.close();
    if (!unexpected.isEmpty()) throw Failure(("unexpected message: " + unexpected).toStdString());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString sim, out, allWindows;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--sim") && i + 1 < args.size())
            sim = args[++i];
        else if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            out = args[++i];
        else if (args[i] == QLatin1String("--all-windows") && i + 1 < args.size())
            allWindows = args[++i];
        else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (sim.isEmpty() || out.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        run(sim, out, allWindows);
    } catch (const std::exception& e) {
        say(QString::fromLocal8Bit(e.what()));
        return 1;
    }
    return 0;
}
