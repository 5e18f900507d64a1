#include "app/ToolWindows.h"

#include "link/QtSerialPortAdapter.h"
#include "ui/overview/LiveOverview.h"

namespace bxl {

ToolWindows::ToolWindows(std::optional<std::string> journalFolder)
    : port(std::make_unique<QtSerialPortAdapter>()),
      journal(journalFolder ? std::make_unique<LogJournal>(std::move(*journalFolder)) : nullptr),
      form1(store, bindings, *port),
      form3(store),
      form4(store) {
    form1.attachWindows(&form2, &form3, &form4);
    form1.setLiveOverviewRefresh([this] { liveOverviewRefresh(store, bindings, form2); });
    form3.setJournal(journal.get());
}

void ToolWindows::offerRecovery() {
    if (journal != nullptr && form3.offerRecovery(*journal)) form3.show();
}

}  // namespace bxl
