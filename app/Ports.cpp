#include "app/Ports.h"

#include "link/NullPort.h"
#include "ui/main/Form1.h"
#include "ui/overview/Form2.h"

namespace bxl {

std::unique_ptr<SerialPort> makeSystemPort() {
    return std::make_unique<NullPort>();
}

void attachLiveOverview(TForm1&, const ValueStore&, const BindingTable&, TForm2&) {}

}  // namespace bxl
