#include "app/ToolWindows.h"

#include "link/QtSerialPortAdapter.h"
#include "ui/overview/LiveOverview.h"

namespace bxl {

ToolWindows::ToolWindows()
    : port(std::make_unique<QtSerialPortAdapter>()),
      form1(store, bindings, *port),
      form3(store),
      form4(store) {
    form1.attachWindows(&form2, &form3, &form4);
    form1.setLiveOverviewRefresh([this] { liveOverviewRefresh(store, bindings, form2); });
}

}  // namespace bxl
