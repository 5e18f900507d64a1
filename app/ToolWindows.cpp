#include "app/ToolWindows.h"

#include <QPushButton>

#include "link/QtSerialPortAdapter.h"
#include "ui/common/WindowPlacement.h"
#include "ui/overview/LiveOverview.h"

namespace bxl {

namespace {

// The main window's buttons that show and hide the secondary windows, in
// global coordinates: the one of the window being placed first.
QList<QRect> toggleButtons(const TForm1& main, const char* own) {
    const auto rectOf = [&main](const char* name) {
        return ui::globalRect(main.findChild<QPushButton*>(QLatin1String(name)));
    };
    QList<QRect> rects{rectOf(own)};
    for (const char* name : {"BitBtnWHRBDA", "BitBtnLog", "BitBtnGraph"})
        if (qstrcmp(name, own) != 0) rects.append(rectOf(name));
    return rects;
}

}  // namespace

ToolWindows::ToolWindows(std::optional<std::string> journalFolder)
    : ToolWindows(std::make_unique<QtSerialPortAdapter>(), std::make_unique<ui::MessageBoxDialogs>(), nullptr,
                  std::move(journalFolder)) {}

ToolWindows::ToolWindows(std::unique_ptr<SerialPort> port, ui::Dialogs& dialogs,
                         std::optional<std::string> journalFolder)
    : ToolWindows(std::move(port), nullptr, &dialogs, std::move(journalFolder)) {}

ToolWindows::ToolWindows(std::unique_ptr<SerialPort> givenPort, std::unique_ptr<ui::Dialogs> own,
                         ui::Dialogs* given, std::optional<std::string> journalFolder)
    : port(std::move(givenPort)),
      ownDialogs(std::move(own)),
      dialogs(given != nullptr ? *given : *ownDialogs),
      journal(journalFolder ? std::make_unique<LogJournal>(std::move(*journalFolder)) : nullptr),
      form1(store, bindings, *port),
      form3(store, dialogs),
      form4(store) {
    form1.attachWindows(&form2, &form3, &form4);
    form1.setLiveOverviewRefresh([this] { liveOverviewRefresh(store, bindings, form2); });
    form3.setJournal(journal.get());

    // Every window stays on the screen, and no secondary window opens over
    // the buttons that show and hide the secondary windows.
    ui::keepOnScreen(&form1);
    ui::keepOnScreen(&form2, &form1, [this] { return toggleButtons(form1, "BitBtnWHRBDA"); });
    ui::keepOnScreen(&form3, &form1, [this] { return toggleButtons(form1, "BitBtnLog"); });
    ui::keepOnScreen(&form4, &form1, [this] { return toggleButtons(form1, "BitBtnGraph"); });
}

void ToolWindows::offerRecovery() {
    if (journal != nullptr && form3.offerRecovery(*journal)) form3.show();
}

}  // namespace bxl
