// Renders the log window after a made-up two-hour recording of a running
// unit, for the user guide: log_screenshot OUT.png
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "model/log/DateTime.h"
#include "ui/common/Dialogs.h"
#include "ui/log/Form3.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    bxl::ValueStore v;
    double now = bxl::dateTimeNumber(2024, 11, 14, 9, 0, 0, 0);
    bxl::ui::MessageBoxDialogs dialogs;  // never asks: nothing is discarded
    TForm3 form(v, dialogs, nullptr, [&now] { return now; });
    form.show();
    form.ButtonStartClick();
    for (int tick = 0; tick < 7200; ++tick) {
        const double h = tick / 3600.0;
        const double outdoor = 4.0 + 3.0 * std::sin(h * 1.3);
        const double flow = tick < 2400 ? 850 : (tick < 5000 ? 1200 : 950);
        v.setCurrent(256, static_cast<int32_t>(outdoor * 10));
        v.setCurrent(259, static_cast<int32_t>((outdoor + 0.25 * (21.5 - outdoor)) * 10));
        v.setCurrent(257, static_cast<int32_t>((18.5 + 0.4 * std::sin(h * 5)) * 10));
        v.setCurrent(258, static_cast<int32_t>((21.5 + 0.3 * std::sin(h * 2)) * 10));
        v.setCurrent(273, static_cast<int32_t>(flow + 15 * std::sin(tick / 40.0)));
        v.setCurrent(274, static_cast<int32_t>(flow * 0.95 + 15 * std::cos(tick / 50.0)));
        now += 1.0 / 86400.0;
        form.Timer1Timer();
    }
    // Stop on a visible flash phase so the indicator shows.
    if (form.findChild<QWidget*>(QStringLiteral("LabelLogging"))->isHidden()) form.Timer1Timer();
    QApplication::processEvents();
    return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
