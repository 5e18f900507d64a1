// The port dialog, opened from the "Communication port" frame: every serial
// port the system lists (device, stable by-id name, description,
// manufacturer, serial number, whether it is in use, the port number it takes
// without an alias), which device port N stands for now and, when the port
// is closed, why; "Use for port N" makes the chosen port N's alias.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "link/PortCatalog.h"
#include "link/SerialPort.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace bxl::ui {

class PortDialog : public QDialog {
    Q_OBJECT
public:
    using Lister = std::function<std::vector<PortEntry>()>;

    // `list` gathers the ports (the system's, or a test's); aliases are
    // written in `aliasDir`.
    PortDialog(const SerialPort& port, Lister list, std::string aliasDir, QWidget* parent = nullptr);

    // Shows port `number` (the main window's port field) and lists anew.
    void showPort(int number);
    void refresh();

signals:
    // The alias of port `number` was written: the port is to be opened anew.
    void aliasWritten(int number);
    void monitorRequested();

private:
    void usePort();

    const SerialPort& port_;
    Lister list_;
    std::string aliasDir_;
    int number_ = 1;
    std::vector<PortEntry> entries_;
    QLabel* current_;
    QTableWidget* table_;
    QLabel* outcome_;
    QPushButton* useButton_;
};

}  // namespace bxl::ui
