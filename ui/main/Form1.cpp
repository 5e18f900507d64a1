#include "ui/main/Form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QShowEvent>
#include <QTimer>

#include "model/SettingsHistory.h"
#include "ui/common/Dialogs.h"
#include "ui/common/RecordingStatus.h"
#include "ui/common/UiCommon.h"
#include "ui/graphs/GraphMath.h"
#include "ui/main/ChangeReview.h"
#include "ui/main/ControlsFileCommands.h"
#include "ui/main/EditorPanel.h"
#include "ui/main/MenuPages.h"
#include "ui/main/PageControl.h"
#include "ui/main/PortGroup.h"
#include "ui/main/ValueField.h"

using bxl::ui::setTextColour;

namespace {
const QColor kRed(255, 0, 0);

// The step count of a key on the field being edited, as the panel's button
// for it has; 0 for any other key.
int stepsOfKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Plus:
            return 1;
        case Qt::Key_Down:
        case Qt::Key_Minus:
            return -1;
        case Qt::Key_PageUp:
            return shift ? 100 : 10;
        case Qt::Key_PageDown:
            return shift ? -100 : -10;
        default:
            return 0;
    }
}
}  // namespace

// ---- control bindings ------------------------------------------------------

void TForm1::refreshBinding(int index) {
    pages_->refreshBinding(index);
}

void TForm1::refreshAllBindings() {
    pages_->refreshAllBindings();
}

void TForm1::refreshBindingsInView() {
    pages_->refreshBindingsInView();
}

int TForm1::findBindingByValueField(const QObject* field) const {
    return pages_->findBindingByValueField(field);
}

QLineEdit* TForm1::valueField(int index) const {
    return pages_->valueField(index);
}

QLabel* TForm1::captionLabel(int index) const {
    return pages_->captionLabel(index);
}

int TForm1::selectedBinding() const {
    return editor_->selectedBinding();
}

// ---- window events -----------------------------------------------------------

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TForm1::FormShow() {
    editor_->reset();
    store_.setOffline(1);
    if (!pagesBuilt_) {
        pagesBuilt_ = true;
        buildPages();
        // The port field holds the focus at start, so no value field opens
        // the editor by itself.
        portGroup_->numberEdit()->setFocus();
    } else {
        refreshAllBindings();
    }
}

bool TForm1::FormCloseQuery() {
    if (recording_ == nullptr) return true;
    // A recording closed this way stays in its journal for the next start.
    // Cancel is the default, so that Enter never ends a recording or drops
    // its samples.
    constexpr auto kCancel = bxl::ui::Dialogs::DefaultButton::Cancel;
    if (recording_->logActive())
        return dialogs_.ask(this, QStringLiteral("Logging active, sure to close application?"), kCancel);
    if (!recording_->unsavedSamples()) return true;
    if (!dialogs_.ask(this, QStringLiteral("Log samples not saved, sure to close application?"), kCancel))
        return false;
    recording_->discardUnsavedSamples();
    return true;
}

void TForm1::FormClose() {
    pollTimer_->stop();
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
    if (event->type() == QEvent::KeyPress && editor_->highlights(watched) &&
        editorKey(*static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::MouseButtonPress) {
        // A click on a field opens the editor there. Mostly its focus event
        // has just done so; not when the field already had the focus, nor
        // when the click reaches the window before it is active (the focus
        // arrives later then, given back with the window).
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field != nullptr && !editor_->highlights(field)) Edit1Enter(watched);
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
    graphButton_->setVisible(bxl::graphs::graphTabForMenu(pages_->currentMenu()) >= 0);
}

// ---- link ----------------------------------------------------------------------

void TForm1::Timer1Timer() {
    sequencer_.tick();
}

void TForm1::ApdComPort1TriggerAvail(uint16_t count) {
    // Bytes come in one or a few at a time, up to 400 a reply: the bar
    // follows their count at the next tick, ten times a second, drawn
    // together with what else the tick changes.
    const QScopedValueRollback<bool> receiving(receiving_, true);
    sequencer_.bytesAvailable(count);
}

void TForm1::EditComNrChange() {
    sequencer_.portNumberChanged(portGroup_->portNumber());
    portGroup_->showNote(QString::fromStdString(port_.describe()));
}

void TForm1::BitBtnHaalClick() {
    sequencer_.get();
}

void TForm1::BitBtnZendClick() {
    if (!dialogs_.askAboutList(this, bxl::ui::sendReview(store_, bindings_),
                               bxl::ui::Dialogs::DefaultButton::Ok))
        return;
    sequencer_.send();
}

void TForm1::showPortOpen(bool open) {
    // Every tick asks; the port's note only changes when it opens, closes
    // or fails, and each of those changes the state shown or, while the
    // port is closed and tried again, the reason it stays closed.
    const std::string reason = open ? std::string() : port_.reason();
    if (static_cast<int>(open) == shownPortOpen_ && reason == shownReason_) return;
    shownPortOpen_ = open ? 1 : 0;
    shownReason_ = reason;
    portGroup_->showOpen(open);
    portGroup_->showNote(QString::fromStdString(port_.describe()));
    if (open) {
        portGroup_->showReason({}, {});
    } else {
        portGroup_->showReason(QString::fromLatin1(bxl::shortReason(port_.problem())),
                               QString::fromStdString(reason));
    }
}

int TForm1::portNumber() const {
    return portGroup_->portNumber();
}

void TForm1::showReceiveCount(int count) {
    if (!receiving_) portGroup_->showReceiveCount(count);
}

void TForm1::showStatus(const std::string& text, bxl::Rgb colour) {
    const QString shown = QString::fromStdString(text);
    if (statusLabel_->text() != shown) statusLabel_->setText(shown);
    const QColor c = bxl::ui::toQColor(colour);
    if (bxl::ui::textColour(statusLabel_) != c) setTextColour(statusLabel_, c);
}

void TForm1::enableTransferButtons(bool enabled) {
    getButton_->setEnabled(enabled);
    sendButton_->setEnabled(enabled);
}

void TForm1::showLogFlash(bool on) {
    setTextColour(logButton_, on ? kRed : bxl::ui::windowTextColour());
}

// ---- secondary windows ---------------------------------------------------------

void TForm1::BitBtnWHRBDAClick() {
    emit overviewToggleRequested();
}

void TForm1::BitBtnLogClick() {
    emit logToggleRequested();
}

void TForm1::BitBtnGraphClick() {
    // On a page without a graph the graphs window keeps its tab.
    emit graphRequested(bxl::graphs::graphTabForMenu(pages_->currentMenu()));
}

// ---- value editor --------------------------------------------------------------

void TForm1::Edit1Enter(QObject* sender) {
    editor_->open(sender);
}

void TForm1::ButtonEditPPMMClick(QObject* sender) {
    editor_->step(sender);
}

void TForm1::ButtonXEditClick() {
    editor_->close();
}

bool TForm1::editorKey(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Escape) {
        ButtonXEditClick();
        return true;
    }
    const int steps = stepsOfKey(key.key(), key.modifiers());
    if (steps == 0) return false;
    // The key is the panel's button for the same steps.
    for (QPushButton* button : editor_->stepButtons())
        if (button->property("steps").toInt() == steps) ButtonEditPPMMClick(button);
    return true;
}

// ---- history and compare ----------------------------------------------------------

void TForm1::setHistory(bxl::SettingsHistory* history) {
    sequencer_.setHistory(history);
    files_->setHistoryFolder(history != nullptr ? bxl::ui::fromLocalPath(history->folder()) : QString());
    if (history == nullptr) return;
    history->setFailureCallback([this](const std::string& problem) {
        // Said after the transfer step that found it, which goes on.
        QTimer::singleShot(0, this, [this, problem] {
            dialogs_.tell(this, QStringLiteral("The settings history is not being kept: %1")
                                    .arg(QString::fromLocal8Bit(problem.c_str())));
        });
    });
}

void TForm1::showBinding(int index) {
    if (index < 0 || index >= bindings_.used()) return;
    QLineEdit* field = pages_->valueField(index);
    if (field == nullptr) return;
    ButtonXEditClick();
    pages_->pageControl()->setCurrentIndex(bindings_.at(index).page);
    for (QWidget* w = field->parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* box = qobject_cast<QScrollArea*>(w)) {
            box->ensureWidgetVisible(field, 0, 20);
            break;
        }
    }
    if (!isVisible()) show();
    raise();
    activateWindow();
    field->setFocus(Qt::OtherFocusReason);
}

// ---- controls files and CSV export ---------------------------------------------

void TForm1::BitBtnLoadClick() {
    ButtonXEditClick();
    if (files_->load()) refreshAllBindings();
}

void TForm1::BitBtnSaveClick() {
    ButtonXEditClick();
    files_->save();
}

void TForm1::BitBtnExcelClick() {
    ButtonXEditClick();
    files_->exportCsv();
}
