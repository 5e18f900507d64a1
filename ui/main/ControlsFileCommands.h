// The main window's file commands: "Load" and "Save" of the controls file
// and the "EXCEL" export, with their file dialogs ("OpenDialog1",
// "SaveDialog1", "SaveDialog2") and the failures they report. The codecs are
// the model's; the bytes go through its one file module.
#pragma once

#include <QString>

#include "model/Bindings.h"
#include "model/ValueStore.h"

class QWidget;

namespace bxl::ui {

class Dialogs;

class ControlsFileCommands {
public:
    ControlsFileCommands(ValueStore& store, const BindingTable& bindings, Dialogs& dialogs, QWidget* window);

    // Reads a controls file into value indexes 0 to 199. True when the
    // values were taken; false when cancelled or refused (and reported).
    bool load();
    // A folder the Load dialog offers beside the usual places (the settings
    // history).
    void setHistoryFolder(const QString& folder) { historyFolder_ = folder; }
    // Writes the current controls to a file.
    void save();
    // Writes every bound menu line as CSV.
    void exportCsv();

private:
    ValueStore& store_;
    const BindingTable& bindings_;
    Dialogs& dialogs_;
    QWidget* window_;
    QString historyFolder_;
};

}  // namespace bxl::ui
