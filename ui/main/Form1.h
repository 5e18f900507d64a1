// The main window: connection status, status line, command buttons and the
// twenty menu pages with the value editor. It turns Qt events into the
// window's handlers; the link, the editor arithmetic and the file codecs live
// in the model and link libraries.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "link/LinkView.h"
#include "link/Sequencer.h"
#include "link/SerialPort.h"
#include "model/Bindings.h"
#include "model/ValueStore.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTimer;
class TForm2;
class TForm3;
class TForm4;
class TPageControl;

namespace bxl::ui {
class UpDown;
}

class TForm1 : public QWidget, public bxl::LinkView {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Brisaval XL Control Center v3.07";

    TForm1(bxl::ValueStore& store, bxl::BindingTable& bindings, bxl::SerialPort& port,
           QWidget* parent = nullptr);
    ~TForm1() override;

    // The secondary windows, created after this one.
    void attachWindows(TForm2* overview, TForm3* log, TForm4* graphs);
    // Runs after every process reply, once the fields are refreshed.
    void setLiveOverviewRefresh(std::function<void()> refresh) { liveOverview_ = std::move(refresh); }

    // What the user is asked and told, and the paths the file dialogs pick;
    // replaceable so that tests run without modal dialogs.
    enum class PathDialog { LoadControls, SaveControls, ExportCsv };
    std::function<bool(const QString& text)> confirm;    // "Warning", OK/Cancel
    std::function<void(const QString& text)> showError;  // "ERROR", OK
    std::function<QString(PathDialog which)> pickPath;   // empty: cancelled
    // The close query's questions: "Warning", OK/Cancel, Cancel the default,
    // so that Enter never ends a recording or drops its samples.
    std::function<bool(const QString& text)> confirmClose;

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
    void RefreshBinding(int index);
    void RefreshAllBindings();
    int FindBindingByValueField(const QObject* field) const;
    QLineEdit* valueField(int index) const { return fields_[static_cast<std::size_t>(index)]; }
    QLabel* captionLabel(int index) const { return labels_[static_cast<std::size_t>(index)]; }
    int selectedBinding() const { return selected_; }
    bxl::Sequencer& sequencer() { return sequencer_; }

    // What the link shows and calls.
    void showPortOpen(bool open) override;
    void showReceiveCount(int count) override;
    void showStatus(const std::string& text, bxl::Rgb colour) override;
    void enableTransferButtons(bool enabled) override;
    void refreshAllBindings() override { RefreshAllBindings(); }
    void closeEditor() override { ButtonXEditClick(); }
    void liveOverviewRefresh() override;

    // The log recorder's flashing "Log" caption: red when on, the window
    // text colour when off.
    void showLogFlash(bool on);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildComponents();
    void buildPages();
    QPushButton* makeBitBtn(const char* name, const char* caption, const char* picture, int left, int top,
                            int width);

    bxl::ValueStore& store_;
    bxl::BindingTable& bindings_;
    bxl::SerialPort& port_;
    bxl::Sequencer sequencer_;
    std::function<void()> liveOverview_;

    TForm2* overview_ = nullptr;
    TForm3* log_ = nullptr;
    TForm4* graphs_ = nullptr;

    QGroupBox* groupBox1_ = nullptr;
    QLineEdit* editComNr_ = nullptr;
    bxl::ui::UpDown* upDown1_ = nullptr;
    QLabel* labelComOpen_ = nullptr;
    QProgressBar* progressBarRec_ = nullptr;
    QFrame* panel1_ = nullptr;
    QLabel* labelInfo_ = nullptr;
    QPushButton* bitBtnHaal_ = nullptr;
    QPushButton* bitBtnZend_ = nullptr;
    QPushButton* bitBtnWHRBDA_ = nullptr;
    QPushButton* bitBtnLog_ = nullptr;
    QPushButton* bitBtnLoad_ = nullptr;
    QPushButton* bitBtnSave_ = nullptr;
    QPushButton* bitBtnGraph_ = nullptr;
    QPushButton* bitBtnExcel_ = nullptr;
    TPageControl* pageControl1_ = nullptr;
    std::array<QScrollArea*, bxl::kMenuPageCount> scrollBoxes_{};
    QFrame* panelEdit_ = nullptr;
    QTimer* timer1_ = nullptr;

    std::array<QLabel*, bxl::kBindingCount> labels_{};
    std::array<QLineEdit*, bxl::kBindingCount> fields_{};
    // The receive progress follows every byte; its repaints are held to a
    // frame rate so that a reply does not cost hundreds of repaints.
    void applyReceiveCount();
    int receiveCount_ = 0;
    QElapsedTimer progressPainted_;
    QTimer* progressTimer_ = nullptr;

    bool pagesBuilt_ = false;
    bool closing_ = false;

    // Value editor state.
    int selected_ = -1;
    QLineEdit* highlighted_ = nullptr;
    // Whether a value field that gains the focus for `reason` opens the
    // editor: only a click or a Tab key press of the engineer's does.
    bool enteredByChoice(Qt::FocusReason reason) const;
    bool tabbing_ = false;  // a Tab or Shift+Tab key press is moving the focus
};
