// The main window: connection status, status line, command buttons and the
// twenty menu pages with the value editor. It turns Qt events into the
// window's handlers and shows what the link tells it; the menu pages, the
// value editor, the file commands and the receive progress are classes of
// their own, the link, the editor arithmetic and the file codecs live in the
// model and link libraries. The other windows are reached only through the
// signals below and the recording status, which app/ToolWindows wires.
#pragma once

#include <QWidget>
#include <memory>

#include "link/LinkView.h"
#include "link/Sequencer.h"
#include "link/SerialPort.h"
#include "model/Bindings.h"
#include "model/ValueStore.h"

class QKeyEvent;
class QKeySequence;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace bxl {
class SettingsHistory;
}  // namespace bxl

namespace bxl::ui {
class ControlsFileCommands;
class Dialogs;
class EditorPanel;
class MenuPages;
class PortGroup;
class RecordingStatus;
}  // namespace bxl::ui

class TForm1 : public QWidget, public bxl::LinkView {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Brisaval XL Control Center v3.07";

    // Questions, failures and file dialogs go through `dialogs`.
    TForm1(bxl::ValueStore& store, bxl::BindingTable& bindings, bxl::SerialPort& port,
           bxl::ui::Dialogs& dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    // The log recorder the close query asks about; without one the window
    // closes without a question.
    void setRecordingStatus(bxl::ui::RecordingStatus* status) { recording_ = status; }
    // Where the controls read from the unit and the unit's controls before
    // each Send are kept; none: not kept. The first time they cannot be
    // kept, the window says so once.
    void setHistory(bxl::SettingsHistory* history);

    // Shows the page of a menu line and the line on it, its field holding
    // the focus (the editor stays closed).
    void showBinding(int index);

    // Handlers.
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void PageControl1Change();
    void BitBtnHaalClick();
    void BitBtnZendClick();
    void BitBtnLoadClick();
    void BitBtnSaveClick();
    void BitBtnExcelClick();
    void BitBtnWHRBDAClick();
    void BitBtnLogClick();
    void BitBtnGraphClick();
    void EditComNrChange();
    void Timer1Timer();
    void ApdComPort1TriggerAvail(uint16_t count);
    void Edit1Enter(QObject* sender);
    void ButtonEditPPMMClick(QObject* sender);
    void ButtonXEditClick();

    // Control bindings.
    void refreshBinding(int index);
    int findBindingByValueField(const QObject* field) const;
    QLineEdit* valueField(int index) const;
    QLabel* captionLabel(int index) const;
    int selectedBinding() const;

    // What the link shows and calls.
    void showPortOpen(bool open) override;
    // Resolves and opens the chosen port number again (after its alias
    // changed): what a change of the port field does.
    void reopenPort() { EditComNrChange(); }
    int portNumber() const;
    // The link monitor watching the line, or none.
    void setLinkObserver(bxl::LinkObserver* observer) { sequencer_.setObserver(observer); }
    void showReceiveCount(int count) override;
    void showStatus(const std::string& text, bxl::Rgb colour) override;
    void enableTransferButtons(bool enabled) override;
    void refreshAllBindings() override;
    void refreshBindingsInView() override;
    void closeEditor() override { ButtonXEditClick(); }
    void liveOverviewRefresh() override { emit liveOverviewRefreshRequested(); }

    // The log recorder's flashing "Log" caption: red when on, the window
    // text colour when off.
    void showLogFlash(bool on);

signals:
    // "Overview" and "Log": show the window when hidden, hide it when shown.
    void overviewToggleRequested();
    void logToggleRequested();
    // "Graph": open the graphs window on `tab`, or on the tab it has (-1).
    void graphRequested(int tab);
    // A process reply was shown; the overview's labels follow it.
    void liveOverviewRefreshRequested();
    // The compare key (Alt+C).
    void compareRequested();
    // A click on the port state or its reason: the port dialog.
    void portDialogRequested();
    // The link monitor key (Alt+M).
    void linkMonitorRequested();
    // "Report" or Ctrl+P: write a service report.
    void serviceReportRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildComponents();
    void buildPages();
    QPushButton* makePictureButton(const char* name, const char* caption, const char* picture, int left,
                                   int top, int width);
    // A small captioned button of the tool's own beside the picture buttons;
    // its tooltip is `tip` and the key.
    QPushButton* makeSmallButton(const char* name, const char* caption, const char* tip, int top,
                                 const QKeySequence& key);
    // Whether a value field that gains the focus for `reason` opens the
    // editor: only a click or a Tab key press of the engineer's does.
    bool enteredByChoice(Qt::FocusReason reason) const;
    // A key pressed on the field being edited: the steps of the panel's
    // buttons and Escape. True when the key was taken.
    bool editorKey(const QKeyEvent& key);

    bxl::ValueStore& store_;
    bxl::BindingTable& bindings_;
    bxl::SerialPort& port_;
    bxl::ui::Dialogs& dialogs_;
    bxl::Sequencer sequencer_;
    bxl::ui::RecordingStatus* recording_ = nullptr;

    bxl::ui::PortGroup* portGroup_ = nullptr;       // GroupBox1
    QLabel* statusLabel_ = nullptr;                 // LabelInfo
    QPushButton* getButton_ = nullptr;              // BitBtnHaal
    QPushButton* sendButton_ = nullptr;             // BitBtnZend
    QPushButton* overviewButton_ = nullptr;         // BitBtnWHRBDA
    QPushButton* logButton_ = nullptr;              // BitBtnLog
    QPushButton* loadButton_ = nullptr;             // BitBtnLoad
    QPushButton* saveButton_ = nullptr;             // BitBtnSave
    QPushButton* graphButton_ = nullptr;            // BitBtnGraph
    QPushButton* exportButton_ = nullptr;           // BitBtnExcel
    QPushButton* compareButton_ = nullptr;          // compare window, the tool's own
    QPushButton* reportButton_ = nullptr;           // service report, the tool's own
    QTimer* pollTimer_ = nullptr;                   // Timer1
    std::unique_ptr<bxl::ui::MenuPages> pages_;     // PageControl1 and the menu lines
    std::unique_ptr<bxl::ui::EditorPanel> editor_;  // PanelEdit
    std::unique_ptr<bxl::ui::ControlsFileCommands> files_;

    bool pagesBuilt_ = false;
    // The port state LabelComOpen shows (-1 before the first tick): the
    // label and its note are only redone when it changes.
    int shownPortOpen_ = -1;
    std::string shownReason_;  // the reason shown while the port is closed
    bool closing_ = false;
    bool tabbing_ = false;    // a Tab or Shift+Tab key press is moving the focus
    bool receiving_ = false;  // received bytes are being handed to the link
};
