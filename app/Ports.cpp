#include "app/Ports.h"

#include "link/QtSerialPortAdapter.h"
#include "ui/main/Form1.h"
#include "ui/overview/Form2.h"
#include "ui/overview/LiveOverview.h"

namespace bxl {

std::unique_ptr<SerialPort> makeSystemPort() {
    return std::make_unique<QtSerialPortAdapter>();
}

void attachLiveOverview(TForm1& main, const ValueStore& store, const BindingTable& bindings, TForm2& overview) {
    main.setLiveOverviewRefresh([&store, &bindings, &overview] { liveOverviewRefresh(store, bindings, overview); });
}

}  // namespace bxl
