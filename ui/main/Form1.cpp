#include "ui/main/Form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QShowEvent>
#include <QTimer>
#include <utility>

#include "model/ControlsFile.h"
#include "model/FileIo.h"
#include "model/ParamTable.h"
#include "model/ValueEditor.h"
#include "ui/common/UiCommon.h"
#include "ui/common/UpDown.h"
#include "ui/graphs/Form4.h"
#include "ui/log/Form3.h"
#include "ui/main/PageControl.h"
#include "ui/main/ValueField.h"
#include "ui/overview/Form2.h"

using bxl::ui::setTextColour;

namespace {

const QColor kTeal(0, 128, 128);
const QColor kCyan(0, 255, 255);

struct StepButton {
    const char* name;
    const char* caption;
    int left, top;
    int steps;
};

constexpr StepButton kStepButtons[] = {
    {"ButtonEditPPP", "+++", 5, 3, 100},  {"ButtonEditPP", "++", 29, 3, 10},
    {"ButtonEditP", "+", 53, 3, 1},       {"ButtonEditMMM", "- - -", 5, 19, -100},
    {"ButtonEditMM", "- -", 29, 19, -10}, {"ButtonEditM", "-", 53, 19, -1},
};

}  // namespace

TForm1::TForm1(bxl::ValueStore& store, bxl::BindingTable& bindings, bxl::SerialPort& port, QWidget* parent)
    : QWidget(parent), store_(store), bindings_(bindings), port_(port), sequencer_(store, port, *this) {
    setObjectName(QStringLiteral("Form1"));
    bxl::ui::setupFixedWindow(this, QString::fromLatin1(kTitle), 712, 615, 632, 204);

    confirm = [this](const QString& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text,
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Ok);
        return box.exec() == QMessageBox::Ok;
    };
    confirmClose = [this](const QString& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text,
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok;
    };
    showError = [this](const QString& text) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("ERROR"), text, QMessageBox::Ok, this);
        box.exec();
    };
    pickPath = [this](PathDialog which) {
        QFileDialog dialog(this);
        dialog.setOption(QFileDialog::DontUseNativeDialog, false);
        switch (which) {
            case PathDialog::LoadControls:
                dialog.setObjectName(QStringLiteral("OpenDialog1"));
                dialog.setWindowTitle(QStringLiteral("Get controls:"));
                dialog.setAcceptMode(QFileDialog::AcceptOpen);
                dialog.setFileMode(QFileDialog::ExistingFile);
                break;
            case PathDialog::SaveControls:
                dialog.setObjectName(QStringLiteral("SaveDialog1"));
                dialog.setWindowTitle(QStringLiteral("Save controls:"));
                dialog.setAcceptMode(QFileDialog::AcceptSave);
                break;
            case PathDialog::ExportCsv:
                dialog.setObjectName(QStringLiteral("SaveDialog2"));
                dialog.setWindowTitle(QStringLiteral("Save controls to Excel:"));
                dialog.setAcceptMode(QFileDialog::AcceptSave);
                dialog.setDefaultSuffix(QStringLiteral("CSV"));
                dialog.setNameFilter(QStringLiteral("CSV Excel (*.CSV)"));
                break;
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
        return dialog.selectedFiles().first();
    };

    buildComponents();

    port_.setTriggerAvail([this](uint16_t count) { ApdComPort1TriggerAvail(count); });
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(100);
    connect(timer1_, &QTimer::timeout, this, &TForm1::Timer1Timer);
    timer1_->start();

    // The spinner writes its first position into the port field, which opens
    // port 1.
    connect(editComNr_, &QLineEdit::textChanged, this, &TForm1::EditComNrChange);
    upDown1_->setAssociate(editComNr_);
}

TForm1::~TForm1() {
    port_.setTriggerAvail({});
}

void TForm1::attachWindows(TForm2* overview, TForm3* log, TForm4* graphs) {
    overview_ = overview;
    log_ = log;
    graphs_ = graphs;
    if (log_) connect(log_, &TForm3::logFlash, this, &TForm1::showLogFlash);
}

QPushButton* TForm1::makeBitBtn(const char* name, const char* caption, const char* picture, int left, int top,
                                int width) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(left, top, width, 61);
    b->setFont(bxl::ui::arialFont(bxl::ui::kPx12pt, true));
    b->setIcon(QIcon(QStringLiteral(":/buttons/%1.svg").arg(QString::fromLatin1(picture))));
    b->setIconSize(QSize(75, 53));
    return b;
}

void TForm1::buildComponents() {
    groupBox1_ = new QGroupBox(QStringLiteral("Communication port"), this);
    groupBox1_->setObjectName(QStringLiteral("GroupBox1"));
    groupBox1_->setGeometry(8, 8, 281, 49);

    editComNr_ = new QLineEdit(groupBox1_);
    editComNr_->setObjectName(QStringLiteral("EditComNr"));
    editComNr_->setGeometry(8, 16, 25, 21);
    editComNr_->setReadOnly(true);

    upDown1_ = new bxl::ui::UpDown(1, 16, 1, groupBox1_);
    upDown1_->setObjectName(QStringLiteral("UpDown1"));
    upDown1_->setGeometry(33, 16, 16, 21);

    labelComOpen_ = new QLabel(QStringLiteral("Closed"), groupBox1_);
    labelComOpen_->setObjectName(QStringLiteral("LabelComOpen"));
    labelComOpen_->setGeometry(56, 16, 70, 22);
    QFont big = bxl::ui::windowFont();
    big.setPixelSize(bxl::ui::kPx14pt);
    labelComOpen_->setFont(big);
    setTextColour(labelComOpen_, kTeal);

    auto* label7 = new QLabel(QStringLiteral("Receiving"), groupBox1_);
    label7->setObjectName(QStringLiteral("Label7"));
    label7->setGeometry(128, 8, 80, 14);
    setTextColour(label7, kTeal);
    // The caption sits where the group frame may run (it depends on the
    // style): on its own background, the way a group's title interrupts it.
    label7->setAutoFillBackground(true);
    label7->resize(label7->sizeHint().width() + 2, 14);

    progressBarRec_ = new QProgressBar(groupBox1_);
    progressBarRec_->setObjectName(QStringLiteral("ProgressBarRec"));
    progressBarRec_->setGeometry(128, 24, 145, 17);
    progressBarRec_->setRange(0, 220);
    progressBarRec_->setValue(0);
    progressBarRec_->setTextVisible(false);
    progressTimer_ = new QTimer(this);
    progressTimer_->setSingleShot(true);
    connect(progressTimer_, &QTimer::timeout, this, &TForm1::applyReceiveCount);

    panel1_ = new QFrame(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setGeometry(296, 13, 409, 44);
    panel1_->setFrameStyle(QFrame::Box | QFrame::Raised);
    panel1_->setLineWidth(1);
    panel1_->setMidLineWidth(1);

    labelInfo_ = new QLabel(QStringLiteral("No action"), panel1_);
    labelInfo_->setObjectName(QStringLiteral("LabelInfo"));
    labelInfo_->setGeometry(8, 8, 395, 28);
    labelInfo_->setFont(bxl::ui::arialFont(bxl::ui::kPx16pt, true));
    setTextColour(labelInfo_, bxl::ui::windowTextColour());

    bitBtnHaal_ = makeBitBtn("BitBtnHaal", "Get", "get", 8, 62, 161);
    bitBtnZend_ = makeBitBtn("BitBtnZend", "Send", "send", 168, 62, 153);
    bitBtnWHRBDA_ = makeBitBtn("BitBtnWHRBDA", "Overview", "overview", 384, 62, 161);
    bitBtnLog_ = makeBitBtn("BitBtnLog", "Log", "log", 544, 62, 161);
    bitBtnLoad_ = makeBitBtn("BitBtnLoad", "Load", "load", 8, 126, 161);
    bitBtnSave_ = makeBitBtn("BitBtnSave", "Save", "save", 168, 126, 153);
    bitBtnGraph_ = makeBitBtn("BitBtnGraph", "Graph", "graph", 384, 126, 161);
    bitBtnExcel_ = makeBitBtn("BitBtnExcel", "EXCEL", "excel", 544, 126, 161);
    bitBtnHaal_->setEnabled(false);
    bitBtnZend_->setEnabled(false);
    connect(bitBtnHaal_, &QPushButton::clicked, this, &TForm1::BitBtnHaalClick);
    connect(bitBtnZend_, &QPushButton::clicked, this, &TForm1::BitBtnZendClick);
    connect(bitBtnWHRBDA_, &QPushButton::clicked, this, &TForm1::BitBtnWHRBDAClick);
    connect(bitBtnLog_, &QPushButton::clicked, this, &TForm1::BitBtnLogClick);
    connect(bitBtnLoad_, &QPushButton::clicked, this, &TForm1::BitBtnLoadClick);
    connect(bitBtnSave_, &QPushButton::clicked, this, &TForm1::BitBtnSaveClick);
    connect(bitBtnGraph_, &QPushButton::clicked, this, &TForm1::BitBtnGraphClick);
    connect(bitBtnExcel_, &QPushButton::clicked, this, &TForm1::BitBtnExcelClick);

    pageControl1_ = new TPageControl(this);
    pageControl1_->setObjectName(QStringLiteral("PageControl1"));
    pageControl1_->setGeometry(8, 192, 697, 417);
    for (std::size_t i = 0; i < bxl::kMenuPages.size(); ++i) {
        const bxl::MenuPage& mp = bxl::kMenuPages[i];
        auto* page = new QWidget;
        page->setObjectName(QString::fromLatin1(mp.tabName));
        auto* box = new QScrollArea(page);
        box->setObjectName(QString::fromLatin1(mp.scrollName));
        const bool lowered = mp.menu == 7 || mp.menu == 8;
        box->setGeometry(8, lowered ? 16 : 8, 641, lowered ? 321 : 329);
        box->setHorizontalScrollBarPolicy(mp.menu <= 3 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        box->setWidgetResizable(false);
        // Tab goes from field to field; the scroll box follows the focus.
        box->setFocusPolicy(Qt::NoFocus);
        auto* inner = new QWidget;
        inner->setObjectName(QString::fromLatin1(mp.scrollName) + QStringLiteral("Client"));
        inner->resize(620, 40);
        box->setWidget(inner);
        scrollBoxes_[i] = box;
        pageControl1_->addPage(page, QString::fromLatin1(mp.caption));
    }
    connect(pageControl1_, &TPageControl::currentChanged, this, &TForm1::PageControl1Change);

    panelEdit_ = new QFrame(this);
    panelEdit_->setObjectName(QStringLiteral("PanelEdit"));
    panelEdit_->setGeometry(24, 304, 105, 39);
    panelEdit_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panelEdit_->setLineWidth(2);
    panelEdit_->setAutoFillBackground(true);
    QPalette pp = panelEdit_->palette();
    pp.setColor(QPalette::Window, kCyan);
    panelEdit_->setPalette(pp);
    // The panel's buttons never take the focus: it stays on the edited field,
    // so hiding the panel hands the focus to no other field.
    for (const StepButton& sb : kStepButtons) {
        auto* b = new QPushButton(QString::fromLatin1(sb.caption), panelEdit_);
        b->setObjectName(QString::fromLatin1(sb.name));
        b->setGeometry(sb.left, sb.top, 25, 17);
        b->setFocusPolicy(Qt::NoFocus);
        b->setProperty("steps", sb.steps);
        connect(b, &QPushButton::clicked, this, [this, b] { ButtonEditPPMMClick(b); });
    }
    auto* x = new QPushButton(QStringLiteral("X"), panelEdit_);
    x->setObjectName(QStringLiteral("ButtonXEdit"));
    x->setGeometry(86, 1, 18, 18);
    x->setFocusPolicy(Qt::NoFocus);
    QFont xf = bxl::ui::windowFont();
    xf.setBold(true);
    x->setFont(xf);
    connect(x, &QPushButton::clicked, this, &TForm1::ButtonXEditClick);
    panelEdit_->hide();
}

void TForm1::buildPages() {
    bindings_.build();
    labels_.fill(nullptr);
    fields_.fill(nullptr);
    std::array<int, bxl::kMenuPageCount> bottom{};
    QFont bold = bxl::ui::windowFont();
    bold.setBold(true);
    for (int i = 0; i < bindings_.used(); ++i) {
        const bxl::Binding& b = bindings_.at(i);
        QWidget* inner = scrollBoxes_[static_cast<std::size_t>(b.page)]->widget();
        auto* label = new QLabel(bxl::ui::toDisplayText(bxl::rowCaption(b.row)), inner);
        label->setGeometry(5, b.top, 200, 20);
        label->setObjectName(QStringLiteral("Caption%1").arg(i));
        auto* field = new TValueField(inner);
        field->setText(QStringLiteral("--"));
        connect(field, &TValueField::entered, this, [this, field](Qt::FocusReason reason) {
            if (enteredByChoice(reason)) Edit1Enter(field);
        });
        field->setGeometry(300, b.top, 200, 20);
        field->setReadOnly(true);
        field->setFont(bold);
        field->setFocusPolicy(Qt::StrongFocus);
        field->setObjectName(QStringLiteral("Value%1").arg(i));
        field->installEventFilter(this);
        label->show();
        field->show();
        labels_[static_cast<std::size_t>(i)] = label;
        fields_[static_cast<std::size_t>(i)] = field;
        bottom[static_cast<std::size_t>(b.page)] =
            std::max(bottom[static_cast<std::size_t>(b.page)], b.top + 20);
    }
    for (std::size_t p = 0; p < scrollBoxes_.size(); ++p)
        scrollBoxes_[p]->widget()->resize(620, std::max(bottom[p] + 10, 40));
    RefreshAllBindings();
}

// ---- control bindings ------------------------------------------------------

void TForm1::RefreshBinding(int index) {
    if (index < 0 || index >= bxl::kBindingCount) return;
    const bxl::Binding& b = bindings_.at(index);
    QLineEdit* field = fields_[static_cast<std::size_t>(index)];
    if (b.valueIndex == -1 || field == nullptr) return;
    // Fields are only touched when their text or colour changes: every
    // process reply refreshes all of them.
    const QString text = bxl::ui::toDisplayText(bxl::bindingText(store_, b));
    if (field->text() != text) field->setText(text);
    const QColor colour = bxl::ui::toQColor(bxl::bindingColour(store_, b));
    if (field->palette().color(QPalette::Text) != colour) {
        QPalette p = field->palette();
        p.setColor(QPalette::Text, colour);
        field->setPalette(p);
    }
}

void TForm1::RefreshAllBindings() {
    for (int i = 0; i < bxl::kBindingCount; ++i) RefreshBinding(i);
}

int TForm1::FindBindingByValueField(const QObject* field) const {
    if (field == nullptr) return -1;
    for (int i = 0; i < bxl::kBindingCount; ++i)
        if (fields_[static_cast<std::size_t>(i)] == field) return i;
    return -1;
}

// ---- window events -----------------------------------------------------------

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TForm1::FormShow() {
    selected_ = -1;
    highlighted_ = nullptr;
    store_.setOffline(1);
    if (!pagesBuilt_) {
        pagesBuilt_ = true;
        buildPages();
        // The port field holds the focus at start, so no value field opens
        // the editor by itself.
        editComNr_->setFocus();
    } else {
        RefreshAllBindings();
    }
}

bool TForm1::FormCloseQuery() {
    if (log_ == nullptr) return true;
    // A recording closed this way stays in its journal for the next start.
    if (log_->logActive()) return confirmClose(QStringLiteral("Logging active, sure to close application?"));
    if (!log_->unsavedSamples()) return true;
    if (!confirmClose(QStringLiteral("Log samples not saved, sure to close application?"))) return false;
    log_->discardUnsavedSamples();
    return true;
}

void TForm1::FormClose() {
    timer1_->stop();
    sequencer_.shutdown();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    // Closing the main window ends the program, with the secondary windows.
    if (!closing_) {
        closing_ = true;
        QCoreApplication::quit();
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        // A click on a field opens the editor there. Mostly its focus event
        // has just done so; not when the field already had the focus, nor
        // when the click reaches the window before it is active (the focus
        // arrives later then, given back with the window).
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field != nullptr && highlighted_ != field) Edit1Enter(watched);
    }
    return QWidget::eventFilter(watched, event);
}

bool TForm1::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab move the focus on from the widget in view that has
    // it. Qt moves it on the same way, with the same reason, from a widget
    // that is being hidden or disabled; that move is nobody's choice.
    QWidget* from = focusWidget();
    const QScopedValueRollback<bool> tabbing(tabbing_,
                                             from == nullptr || (from->isVisible() && from->isEnabled()));
    return QWidget::focusNextPrevChild(next);
}

bool TForm1::enteredByChoice(Qt::FocusReason reason) const {
    // A click or a Tab of the engineer's opens the editor. Focus given back
    // when the window is activated again, after a popup, or set by a widget
    // of its own accord (a page change, a hidden or disabled widget) opens
    // nothing: the field merely holds the focus, and a click on it opens the
    // editor then.
    switch (reason) {
        case Qt::MouseFocusReason:
            return true;
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
            return tabbing_;
        default:
            return false;
    }
}

void TForm1::PageControl1Change() {
    const QString name = pageControl1_->currentWidget()->objectName();
    const bool graph = name == QLatin1String("TabSheet2") || name == QLatin1String("TabSheet10") ||
                       name == QLatin1String("TabSheet17") || name == QLatin1String("TabSheet18");
    bitBtnGraph_->setVisible(graph);
}

// ---- link ----------------------------------------------------------------------

void TForm1::Timer1Timer() {
    sequencer_.tick();
}

void TForm1::ApdComPort1TriggerAvail(uint16_t count) {
    sequencer_.bytesAvailable(count);
}

void TForm1::EditComNrChange() {
    sequencer_.portNumberChanged(upDown1_->position());
    labelComOpen_->setToolTip(QString::fromStdString(port_.describe()));
}

void TForm1::BitBtnHaalClick() {
    sequencer_.get();
}

void TForm1::BitBtnZendClick() {
    if (!confirm(QStringLiteral("Sending data from PC to Brisaval XL, sure to do this?"))) return;
    sequencer_.send();
}

void TForm1::showPortOpen(bool open) {
    labelComOpen_->setText(open ? QStringLiteral("Open") : QStringLiteral("Closed"));
    // The tooltip tells which device the port number stands for, or why it
    // could not be opened.
    const QString note = QString::fromStdString(port_.describe());
    if (labelComOpen_->toolTip() != note) labelComOpen_->setToolTip(note);
}

void TForm1::showReceiveCount(int count) {
    receiveCount_ = std::clamp(count, 0, 220);
    // An emptied buffer shows at once; growth is shown at most every 40 ms.
    if (receiveCount_ == 0 || !progressPainted_.isValid() || progressPainted_.elapsed() >= 40) {
        applyReceiveCount();
    } else if (!progressTimer_->isActive()) {
        progressTimer_->start(40 - static_cast<int>(progressPainted_.elapsed()));
    }
}

void TForm1::applyReceiveCount() {
    progressTimer_->stop();
    progressPainted_.start();
    progressBarRec_->setValue(receiveCount_);
}

void TForm1::showStatus(const std::string& text, bxl::Rgb colour) {
    const QString t = QString::fromStdString(text);
    if (labelInfo_->text() != t) labelInfo_->setText(t);
    const QColor c = bxl::ui::toQColor(colour);
    if (labelInfo_->palette().color(QPalette::WindowText) != c) setTextColour(labelInfo_, c);
}

void TForm1::enableTransferButtons(bool enabled) {
    bitBtnHaal_->setEnabled(enabled);
    bitBtnZend_->setEnabled(enabled);
}

void TForm1::liveOverviewRefresh() {
    if (liveOverview_) liveOverview_();
}

void TForm1::showLogFlash(bool on) {
    setTextColour(bitBtnLog_, on ? QColor(255, 0, 0) : bxl::ui::windowTextColour());
}

// ---- secondary windows ---------------------------------------------------------

void TForm1::BitBtnWHRBDAClick() {
    if (overview_ != nullptr) overview_->toggleAndSelect(store_);
}

void TForm1::BitBtnLogClick() {
    if (log_ == nullptr) return;
    if (log_->isVisible()) {
        log_->hide();
    } else {
        log_->show();
        log_->raise();
    }
}

void TForm1::BitBtnGraphClick() {
    if (graphs_ == nullptr) return;
    const QString name = pageControl1_->currentWidget()->objectName();
    if (name == QLatin1String("TabSheet2"))
        graphs_->selectTab(0);
    else if (name == QLatin1String("TabSheet10"))
        graphs_->selectTab(1);
    else if (name == QLatin1String("TabSheet17"))
        graphs_->selectTab(2);
    else if (name == QLatin1String("TabSheet18"))
        graphs_->selectTab(3);
    graphs_->show();
    graphs_->raise();
    graphs_->TabControl1Change();
}

// ---- value editor --------------------------------------------------------------

void TForm1::Edit1Enter(QObject* sender) {
    auto* field = qobject_cast<QLineEdit*>(sender);
    if (field == nullptr || FindBindingByValueField(field) < 0) return;
    if (selected_ != -1) ButtonXEditClick();
    selected_ = FindBindingByValueField(field);
    if (selected_ >= 0 && !bxl::isEditable(bxl::kParamTable[bindings_.at(selected_).row])) selected_ = -1;
    if (selected_ == -1) return;
    panelEdit_->setParent(field->parentWidget());
    panelEdit_->move(field->x() + field->width(), field->y() - 7);
    panelEdit_->show();
    panelEdit_->raise();
    highlighted_ = field;
    QPalette p = field->palette();
    p.setColor(QPalette::Base, kCyan);
    field->setPalette(p);
}

void TForm1::ButtonEditPPMMClick(QObject* sender) {
    if (selected_ == -1 || sender == nullptr) return;
    const int steps = sender->property("steps").toInt();
    if (steps == 0) return;
    bxl::applyStep(store_, bindings_.at(selected_), steps);
    RefreshBinding(selected_);
}

void TForm1::ButtonXEditClick() {
    if (selected_ == -1) return;
    // The editor is closed before the panel is hidden: hiding a widget can
    // move the focus, and whatever that starts finds the editor closed.
    selected_ = -1;
    if (QLineEdit* field = std::exchange(highlighted_, nullptr)) {
        QPalette p = field->palette();
        p.setColor(QPalette::Base, bxl::ui::windowColour());
        field->setPalette(p);
    }
    panelEdit_->hide();
}

// ---- controls files and CSV export ---------------------------------------------

void TForm1::BitBtnLoadClick() {
    ButtonXEditClick();
    const QString path = pickPath(PathDialog::LoadControls);
    if (path.isEmpty()) return;
    const auto bytes = bxl::readFilePrefix(bxl::ui::localPath(path), bxl::kControlsFileSize);
    if (!bytes) {
        showError(QStringLiteral("Cannot read file."));
        return;
    }
    const auto block = bxl::decodeControlsFile(*bytes);
    if (!block) {
        showError(QStringLiteral("File not in correct format!"));
        return;
    }
    for (int i = 0; i < bxl::kControlsCount; ++i) store_.setCurrent(i, (*block)[static_cast<std::size_t>(i)]);
    RefreshAllBindings();
}

void TForm1::BitBtnSaveClick() {
    ButtonXEditClick();
    const QString path = pickPath(PathDialog::SaveControls);
    if (path.isEmpty()) return;
    const bxl::Bytes bytes = bxl::encodeControlsFile(store_);
    if (!bxl::writeFileSafely(bxl::ui::localPath(path), bytes.data(), bytes.size()))
        showError(QStringLiteral("Cannot write to file."));
}

void TForm1::BitBtnExcelClick() {
    ButtonXEditClick();
    const QString path = pickPath(PathDialog::ExportCsv);
    if (path.isEmpty()) return;
    const std::string csv = bxl::exportCsv(store_, bindings_);
    if (!bxl::writeFileSafely(bxl::ui::localPath(path), csv.data(), csv.size()))
        showError(QStringLiteral("Cannot write to file."));
}
