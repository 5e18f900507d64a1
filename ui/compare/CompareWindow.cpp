#include "ui/compare/CompareWindow.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <string>

#include "model/ControlsFile.h"
#include "model/FileIo.h"
#include "model/SettingsHistory.h"
#include "ui/common/Dialogs.h"
#include "ui/common/UiCommon.h"

namespace bxl::ui {

namespace {

// The choices of a side, in the order of Source.
const char* const kSourceNames[] = {"Unit (last received)", "Current values", "Unit before the last Send",
                                    "Controls file..."};

const char* const kSideNames[] = {"SideA", "SideB"};

constexpr int kBindingRole = Qt::UserRole;

}  // namespace

CompareWindow::CompareWindow(const ValueStore& store, const BindingTable& bindings, Dialogs& dialogs,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), store_(store), bindings_(bindings), dialogs_(dialogs) {
    setObjectName(QStringLiteral("CompareWindow"));
    setWindowTitle(QStringLiteral("Compare"));
    resize(720, 520);

    auto* choices = new QGridLayout;
    for (std::size_t s = 0; s < sides_.size(); ++s) {
        Side& side = sides_[s];
        side.choice = new QComboBox(this);
        side.choice->setObjectName(QString::fromLatin1(kSideNames[s]));
        for (const char* name : kSourceNames) side.choice->addItem(QString::fromLatin1(name));
        side.label = new QLabel(this);
        side.label->setObjectName(QString::fromLatin1(kSideNames[s]) + QStringLiteral("Name"));
        side.label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        const int row = static_cast<int>(s);
        choices->addWidget(new QLabel(row == 0 ? QStringLiteral("Left:") : QStringLiteral("Right:"), this),
                           row, 0);
        choices->addWidget(side.choice, row, 1);
        choices->addWidget(side.label, row, 2);
        connect(side.choice, &QComboBox::activated, this, [this, row](int index) { sideChosen(row, index); });
    }
    choices->setColumnStretch(2, 1);
    sides_[0].source = Source::Unit;
    sides_[1].source = Source::Current;

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("Differences"));
    list_->setColumnCount(4);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(list_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const QVariant binding = item->data(0, kBindingRole);
        if (binding.isValid()) emit lineChosen(binding.toInt());
    });

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("Summary"));
    auto* refreshButton = new QPushButton(QStringLiteral("Refresh"), this);
    refreshButton->setObjectName(QStringLiteral("Refresh"));
    connect(refreshButton, &QPushButton::clicked, this, &CompareWindow::refresh);
    exportButton_ = new QPushButton(QStringLiteral("Export CSV..."), this);
    exportButton_->setObjectName(QStringLiteral("ExportDifferences"));
    connect(exportButton_, &QPushButton::clicked, this, &CompareWindow::exportDifferences);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(summary_, 1);
    bottom->addWidget(refreshButton);
    bottom->addWidget(exportButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);
    showSides();
}

void CompareWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) refresh();
}

void CompareWindow::sideChosen(int side, int choiceIndex) {
    if (choosing_) return;
    setSide(side, static_cast<Source>(choiceIndex));
}

std::optional<ValueArray> CompareWindow::readControlsFile(const QString& path) {
    const auto bytes = readFilePrefix(localPath(path), kControlsFileSize);
    if (!bytes) {
        dialogs_.tell(this, QStringLiteral("Cannot read file."));
        return std::nullopt;
    }
    const auto block = decodeControlsFile(*bytes);
    if (!block) {
        dialogs_.tell(this, QStringLiteral("File not in correct format!"));
        return std::nullopt;
    }
    return valuesOfControls(*block);
}

bool CompareWindow::setSide(int sideIndex, Source source, const QString& givenPath) {
    if (sideIndex < 0 || sideIndex > 1) return false;
    Side& side = sides_[static_cast<std::size_t>(sideIndex)];
    QString path = givenPath;
    if (source == Source::BeforeLastSend && path.isEmpty()) {
        const auto newest = SettingsHistory(localPath(historyFolder_)).newest(HistoryKind::BeforeSend);
        if (!newest) {
            dialogs_.tell(this, QStringLiteral("No controls were kept before a Send yet."));
            showSides();
            return false;
        }
        path = fromLocalPath(newest->path);
    } else if (source == Source::File && path.isEmpty()) {
        FileDialogSetup dialog{.objectName = "CompareDialog", .title = "Compare with controls:"};
        dialog.shortcutFolder = historyFolder_;
        path = dialogs_.pickPath(this, dialog);
        if (path.isEmpty()) {
            showSides();
            return false;
        }
    }
    std::optional<ValueArray> values;
    if (source == Source::BeforeLastSend || source == Source::File) {
        values = readControlsFile(path);
        if (!values) {
            showSides();
            return false;
        }
    }
    side.source = source;
    side.path = path;
    side.fileValues = values;
    refresh();
    return true;
}

ValueArray CompareWindow::valuesOf(const Side& side) const {
    switch (side.source) {
        case Source::Unit:
            return receivedValues(store_);
        case Source::Current:
            return currentValues(store_);
        case Source::BeforeLastSend:
        case Source::File:
            break;
    }
    return side.fileValues.value_or(ValueArray{});
}

void CompareWindow::showSides() {
    const QScopedValueRollback<bool> choosing(choosing_, true);
    for (Side& side : sides_) {
        side.choice->setCurrentIndex(static_cast<int>(side.source));
        const bool file = side.source == Source::File || side.source == Source::BeforeLastSend;
        side.title = file
                         ? QFileInfo(side.path).fileName()
                         : (side.source == Source::Unit ? QStringLiteral("Unit") : QStringLiteral("Current"));
        side.label->setText(file ? side.path : QString());
    }
    list_->setHeaderLabels(
        {QStringLiteral("Menu line"), QStringLiteral("Name"), sides_[0].title, sides_[1].title});
}

void CompareWindow::refresh() {
    ValueArray left = valuesOf(sides_[0]);
    ValueArray right = valuesOf(sides_[1]);
    // A controls file holds the controls only: the process values of a file
    // side are taken from the other side, so that only controls are compared.
    const auto holdsControlsOnly = [](const Side& s) {
        return s.source == Source::File || s.source == Source::BeforeLastSend;
    };
    if (holdsControlsOnly(sides_[0]) || holdsControlsOnly(sides_[1])) {
        for (int i = kControlsCount; i < kValueCount; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (holdsControlsOnly(sides_[0]))
                left[k] = right[k];
            else
                right[k] = left[k];
        }
    }
    differences_ = compareValues(left, right, bindings_);
    showSides();

    list_->clear();
    QTreeWidgetItem* page = nullptr;
    int pageIndex = -1;
    for (const LineDifference& d : differences_) {
        if (page == nullptr || d.page != pageIndex) {
            pageIndex = d.page;
            page = new QTreeWidgetItem(list_, QStringList{QString::fromLatin1(d.pageCaption)});
            page->setFirstColumnSpanned(true);
            QFont bold = page->font(0);
            bold.setBold(true);
            page->setFont(0, bold);
            page->setExpanded(true);
        }
        auto* line =
            new QTreeWidgetItem(page, QStringList{QString::fromStdString(d.screenCode), toDisplayText(d.name),
                                                  toDisplayText(d.before), toDisplayText(d.after)});
        line->setData(0, kBindingRole, d.binding);
    }
    list_->expandAll();
    for (int c = 0; c < list_->columnCount(); ++c) list_->resizeColumnToContents(c);
    const auto count = static_cast<qsizetype>(differences_.size());
    summary_->setText(count == 0   ? QStringLiteral("No differences")
                      : count == 1 ? QStringLiteral("1 line differs")
                                   : QStringLiteral("%1 lines differ").arg(count));
    exportButton_->setEnabled(!differences_.empty());
}

void CompareWindow::exportDifferences() {
    const FileDialogSetup dialog{.objectName = "SaveDialogCompare",
                                 .title = "Save differences to Excel:",
                                 .save = true,
                                 .nameFilter = "CSV Excel (*.CSV)",
                                 .defaultSuffix = "CSV"};
    const QString path = dialogs_.pickPath(this, dialog);
    if (path.isEmpty()) return;
    const std::string csv = differencesCsv(differences_);
    if (!writeFileSafely(localPath(path), csv.data(), csv.size()))
        dialogs_.tell(this, QStringLiteral("Cannot write to file."));
}

}  // namespace bxl::ui
