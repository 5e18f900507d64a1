#include "ui/main/ControlsFileCommands.h"

#include "model/ControlsFile.h"
#include "model/FileIo.h"
#include "ui/common/Dialogs.h"
#include "ui/common/UiCommon.h"

namespace bxl::ui {

namespace {

const FileDialogSetup kOpenDialog1{.objectName = "OpenDialog1", .title = "Get controls:"};
const FileDialogSetup kSaveDialog1{.objectName = "SaveDialog1", .title = "Save controls:", .save = true};
const FileDialogSetup kSaveDialog2{.objectName = "SaveDialog2",
                                   .title = "Save controls to Excel:",
                                   .save = true,
                                   .nameFilter = "CSV Excel (*.CSV)",
                                   .defaultSuffix = "CSV"};

}  // namespace

ControlsFileCommands::ControlsFileCommands(ValueStore& store, const BindingTable& bindings, Dialogs& dialogs,
                                           QWidget* window)
    : store_(store), bindings_(bindings), dialogs_(dialogs), window_(window) {}

bool ControlsFileCommands::load() {
    FileDialogSetup dialog = kOpenDialog1;
    dialog.shortcutFolder = historyFolder_;
    const QString path = dialogs_.pickPath(window_, dialog);
    if (path.isEmpty()) return false;
    const auto bytes = readFilePrefix(localPath(path), kControlsFileSize);
    if (!bytes) {
        dialogs_.tell(window_, QStringLiteral("Cannot read file."));
        return false;
    }
    const auto block = decodeControlsFile(*bytes);
    if (!block) {
        dialogs_.tell(window_, QStringLiteral("File not in correct format!"));
        return false;
    }
    for (int i = 0; i < kControlsCount; ++i) store_.setCurrent(i, (*block)[static_cast<std::size_t>(i)]);
    return true;
}

void ControlsFileCommands::save() {
    const QString path = dialogs_.pickPath(window_, kSaveDialog1);
    if (path.isEmpty()) return;
    const Bytes bytes = encodeControlsFile(store_);
    if (!writeFileSafely(localPath(path), bytes.data(), bytes.size()))
        dialogs_.tell(window_, QStringLiteral("Cannot write to file."));
}

void ControlsFileCommands::exportCsv() {
    const QString path = dialogs_.pickPath(window_, kSaveDialog2);
    if (path.isEmpty()) return;
    const std::string csv = bxl::exportCsv(store_, bindings_);
    if (!writeFileSafely(localPath(path), csv.data(), csv.size()))
        dialogs_.tell(window_, QStringLiteral("Cannot write to file."));
}

}  // namespace bxl::ui
