// Wiring that changes as parts of the tool arrive: the serial port the main
// window owns, and the live refresh of the overview.
#pragma once

#include <memory>

#include "link/SerialPort.h"
#include "model/Bindings.h"
#include "model/ValueStore.h"

class TForm1;
class TForm2;

namespace bxl {

std::unique_ptr<SerialPort> makeSystemPort();
void attachLiveOverview(TForm1& main, const ValueStore& store, const BindingTable& bindings,
                        TForm2& overview);

}  // namespace bxl
