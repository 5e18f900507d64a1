// The tool's objects as the application owns them: the value store, the
// control-binding table, the serial port, and the four windows created in
// the order main, overview, log, graphs and wired to each other. The
// program, the performance harness and the screenshot tool all start from it.
#pragma once

#include <memory>

#include "link/SerialPort.h"
#include "model/Bindings.h"
#include "model/ValueStore.h"
#include "ui/graphs/Form4.h"
#include "ui/log/Form3.h"
#include "ui/main/Form1.h"
#include "ui/overview/Form2.h"

namespace bxl {

struct ToolWindows {
    ToolWindows();

    ValueStore store;
    BindingTable bindings;
    std::unique_ptr<SerialPort> port;
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    TForm4 form4;
};

}  // namespace bxl
