// The tool's objects as the application owns them: the value store, the
// control-binding table, the serial port, and the four windows created in
// the order main, overview, log, graphs and wired to each other. The
// program, the performance harness and the screenshot tool all start from it.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "link/SerialPort.h"
#include "model/Bindings.h"
#include "model/ValueStore.h"
#include "model/log/LogJournal.h"
#include "ui/graphs/Form4.h"
#include "ui/log/Form3.h"
#include "ui/main/Form1.h"
#include "ui/overview/Form2.h"

namespace bxl {

struct ToolWindows {
    // With a journal folder, every recording is also kept in a journal there
    // (the program uses defaultJournalFolder()); without, recordings live in
    // memory only, as for the developer tools.
    explicit ToolWindows(std::optional<std::string> journalFolder = std::nullopt);

    // At start: offers to restore a recording an earlier run left unsaved,
    // and shows the log window with it when the engineer accepts.
    void offerRecovery();

    ValueStore store;
    BindingTable bindings;
    std::unique_ptr<SerialPort> port;
    std::unique_ptr<LogJournal> journal;
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    TForm4 form4;
};

}  // namespace bxl
