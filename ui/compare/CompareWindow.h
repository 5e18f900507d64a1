// The compare window: two sides, each the unit (its controls as last
// received), the tool's current values, the unit's controls before the last
// Send (the newest such file of the settings history) or a controls file.
// It lists the menu lines whose values differ, grouped by menu page, with
// both values as the fields show them; a click on a line asks the main
// window to show it (lineChosen). "Export CSV" writes the differences with
// the quoting and formatting of the EXCEL export and one more value column.
// The comparison is the model's; the window only picks sides and shows it.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "model/Bindings.h"
#include "model/Compare.h"
#include "model/ValueStore.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace bxl::ui {

class Dialogs;

class CompareWindow : public QWidget {
    Q_OBJECT
public:
    enum class Source { Unit, Current, BeforeLastSend, File };

    CompareWindow(const ValueStore& store, const BindingTable& bindings, Dialogs& dialogs,
                  QWidget* parent = nullptr);

    // The settings history's folder: the "before the last Send" side reads
    // its newest such file, and the file dialog offers the folder.
    void setHistoryFolder(const QString& folder) { historyFolder_ = folder; }

    // Sets a side (0 left, 1 right) and compares again. A file side asks for
    // the file, unless `path` is given; false when no usable file was picked
    // (the side keeps what it had, a failure is reported).
    bool setSide(int side, Source source, const QString& path = {});
    // Reads the sides again (the unit and the current values change) and
    // lists the differences.
    void refresh();

    const std::vector<LineDifference>& differences() const { return differences_; }
    // Writes the differences to a CSV file picked in the dialog.
    void exportDifferences();

signals:
    // A line of the list was clicked: the binding to show.
    void lineChosen(int binding);

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Side {
        Source source = Source::Unit;
        QString path;  // for a file side
        QString title;
        std::optional<ValueArray> fileValues;
        QComboBox* choice = nullptr;
        QLabel* label = nullptr;
    };

    void sideChosen(int side, int choiceIndex);
    std::optional<ValueArray> readControlsFile(const QString& path);
    ValueArray valuesOf(const Side& side) const;
    void showSides();

    const ValueStore& store_;
    const BindingTable& bindings_;
    Dialogs& dialogs_;
    QString historyFolder_;
    std::array<Side, 2> sides_;
    QTreeWidget* list_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    std::vector<LineDifference> differences_;
    bool choosing_ = false;
};

}  // namespace bxl::ui
