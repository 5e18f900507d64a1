#include "ui/main/PortDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "link/PortResolver.h"

namespace bxl::ui {

namespace {

enum Column {
    kPortColumn,
    kDeviceColumn,
    kStableColumn,
    kDescriptionColumn,
    kMakerColumn,
    kSerialColumn,
    kUseColumn
};

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

PortDialog::PortDialog(const SerialPort& port, Lister list, std::string aliasDir, QWidget* parent)
    : QDialog(parent), port_(port), list_(std::move(list)), aliasDir_(std::move(aliasDir)) {
    setObjectName(QStringLiteral("portDialog"));
    setWindowTitle(QStringLiteral("Serial ports"));
    auto* layout = new QVBoxLayout(this);

    current_ = new QLabel(this);
    current_->setObjectName(QStringLiteral("portNow"));
    current_->setWordWrap(true);
    current_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(current_);

    table_ = new QTableWidget(0, 7, this);
    table_->setObjectName(QStringLiteral("portTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Port"), QStringLiteral("Device"),
                                       QStringLiteral("Stable name"), QStringLiteral("Description"),
                                       QStringLiteral("Manufacturer"), QStringLiteral("Serial number"),
                                       QStringLiteral("In use")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_);

    outcome_ = new QLabel(this);
    outcome_->setObjectName(QStringLiteral("aliasOutcome"));
    outcome_->setWordWrap(true);
    layout->addWidget(outcome_);

    auto* buttons = new QHBoxLayout;
    useButton_ = new QPushButton(this);
    useButton_->setObjectName(QStringLiteral("usePort"));
    useButton_->setEnabled(false);
    auto* refreshButton = new QPushButton(QStringLiteral("Refresh"), this);
    refreshButton->setObjectName(QStringLiteral("refreshPorts"));
    auto* monitorButton = new QPushButton(QStringLiteral("Link monitor..."), this);
    monitorButton->setObjectName(QStringLiteral("openMonitor"));
    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("closePorts"));
    buttons->addWidget(useButton_);
    buttons->addWidget(refreshButton);
    buttons->addWidget(monitorButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);

    connect(useButton_, &QPushButton::clicked, this, &PortDialog::usePort);
    connect(refreshButton, &QPushButton::clicked, this, &PortDialog::refresh);
    connect(monitorButton, &QPushButton::clicked, this, &PortDialog::monitorRequested);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(table_, &QTableWidget::itemSelectionChanged, this,
            [this] { useButton_->setEnabled(!table_->selectedItems().isEmpty()); });
    resize(860, 300);
}

void PortDialog::showPort(int number) {
    number_ = number;
    useButton_->setText(QStringLiteral("Use for port %1").arg(number));
    refresh();
}

void PortDialog::refresh() {
    entries_ = list_();
    std::vector<ListedPort> listed;
    for (const PortEntry& e : entries_) listed.push_back({e.name, e.device, e.noDevice});
    const auto ordered = orderPorts(listed);

    table_->clearSelection();
    table_->setRowCount(static_cast<int>(entries_.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const PortEntry& e = entries_[static_cast<std::size_t>(row)];
        QString takes;
        for (std::size_t k = 0; k < ordered.size(); ++k)
            if (ordered[k].location == e.device) takes = QString::number(k + 1);
        if (e.noDevice) takes = QStringLiteral("none");
        const QString cells[] = {takes,
                                 text(e.device),
                                 text(e.byId),
                                 e.noDevice ? QStringLiteral("(no device behind it)") : text(e.description),
                                 text(e.manufacturer),
                                 text(e.serialNumber),
                                 e.inUse.empty() ? QStringLiteral("no") : text(e.inUse)};
        for (int column = 0; column < 7; ++column)
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table_->resizeColumnsToContents();

    const ResolvedPort now = resolvePort(number_, aliasDir_, &pathOrLinkExists, listed);
    QString line;
    if (now.device.empty()) {
        line = QStringLiteral("Port %1 stands for no device: no alias and fewer than %1 ports listed.")
                   .arg(number_);
    } else if (!now.alias.empty()) {
        line = QStringLiteral("Port %1 is %2, through its alias %3.")
                   .arg(number_)
                   .arg(text(linkTarget(now.alias)), text(now.alias));
    } else {
        line = QStringLiteral("Port %1 is %2 (%3).").arg(number_).arg(text(now.device), text(now.via));
    }
    const std::string reason = port_.reason();
    line += port_.isOpen()
                ? QStringLiteral(" It is open.")
                : QStringLiteral(" It is closed") +
                      (reason.empty() ? QStringLiteral(".") : QStringLiteral(": ") + text(reason) + '.');
    current_->setText(line);
}

void PortDialog::usePort() {
    const int row = table_->currentRow();
    if (row < 0 || row >= static_cast<int>(entries_.size())) return;
    const PortEntry& e = entries_[static_cast<std::size_t>(row)];
    // The stable name survives re-plugging in another socket; the device
    // name is the fallback for ports that have none.
    const std::string target = e.byId.empty() ? e.device : e.byId;
    const std::string failure = writePortAlias(aliasDir_, number_, target);
    if (!failure.empty()) {
        outcome_->setText(QStringLiteral("Not changed: ") + text(failure));
        return;
    }
    outcome_->setText(QStringLiteral("Port %1 now stands for %2 (alias %3).")
                          .arg(number_)
                          .arg(text(target), text(portAliasPath(aliasDir_, number_))));
    emit aliasWritten(number_);
    refresh();
}

}  // namespace bxl::ui
