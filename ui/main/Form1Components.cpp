// The main window's components: the port frame, the status line, the eight
// command buttons with their keys, the menu pages and the value editor, each
// connected to its handler. The handlers are in Form1.cpp.
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "ui/common/UiCommon.h"
#include "ui/main/ControlsFileCommands.h"
#include "ui/main/EditorPanel.h"
#include "ui/main/Form1.h"
#include "ui/main/MenuPages.h"
#include "ui/main/PageControl.h"
#include "ui/main/PortGroup.h"
#include "ui/main/ValueField.h"

namespace {
// The keys of the eight command buttons: Alt and a letter of the caption.
struct ButtonKey {
    const char* name;
    Qt::Key key;
};
constexpr ButtonKey kButtonKeys[] = {
    {"BitBtnHaal", Qt::Key_G},  {"BitBtnZend", Qt::Key_S},  {"BitBtnWHRBDA", Qt::Key_O},
    {"BitBtnLog", Qt::Key_L},   {"BitBtnLoad", Qt::Key_A},  {"BitBtnSave", Qt::Key_V},
    {"BitBtnGraph", Qt::Key_R}, {"BitBtnExcel", Qt::Key_E},
};
}  // namespace

TForm1::TForm1(bxl::ValueStore& store, bxl::BindingTable& bindings, bxl::SerialPort& port,
               bxl::ui::Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      store_(store),
      bindings_(bindings),
      port_(port),
      dialogs_(dialogs),
      sequencer_(store, port, *this) {
    setObjectName(QStringLiteral("Form1"));
    bxl::ui::setupFixedWindow(this, QString::fromLatin1(kTitle), 712, 615, 632, 204);
    buildComponents();
    files_ = std::make_unique<bxl::ui::ControlsFileCommands>(store_, bindings_, dialogs_, this);

    port_.setTriggerAvail([this](uint16_t count) { ApdComPort1TriggerAvail(count); });
    pollTimer_ = new QTimer(this);
    pollTimer_->setObjectName(QStringLiteral("Timer1"));
    pollTimer_->setInterval(100);
    connect(pollTimer_, &QTimer::timeout, this, &TForm1::Timer1Timer);
    pollTimer_->start();

    // The spinner writes its first position into the port field, which opens
    // port 1.
    connect(portGroup_->numberEdit(), &QLineEdit::textChanged, this, &TForm1::EditComNrChange);
    connect(portGroup_, &bxl::ui::PortGroup::portDialogRequested, this, &TForm1::portDialogRequested);
    portGroup_->start();
}

TForm1::~TForm1() {
    port_.setTriggerAvail({});
}

QPushButton* TForm1::makePictureButton(const char* name, const char* caption, const char* picture, int left,
                                       int top, int width) {
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, width, 61);
    button->setFont(bxl::ui::arialFont(bxl::ui::kPx12pt, true));
    button->setIcon(QIcon(QStringLiteral(":/buttons/%1.svg").arg(QString::fromLatin1(picture))));
    button->setIconSize(QSize(75, 53));
    return button;
}

QPushButton* TForm1::makeSmallButton(const char* name, const char* caption, const char* tip, int top,
                                     const QKeySequence& key) {
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(325, top, 55, 41);
    button->setFont(bxl::ui::arialFont(bxl::ui::kPx8pt, true));
    button->setToolTip(
        QStringLiteral("%1 (%2)").arg(QString::fromLatin1(tip), key.toString(QKeySequence::NativeText)));
    return button;
}

void TForm1::buildComponents() {
    portGroup_ = new bxl::ui::PortGroup(this);

    auto* statusPanel = new QFrame(this);
    statusPanel->setObjectName(QStringLiteral("Panel1"));
    statusPanel->setGeometry(296, 13, 409, 44);
    statusPanel->setFrameStyle(QFrame::Box | QFrame::Raised);
    statusPanel->setLineWidth(1);
    statusPanel->setMidLineWidth(1);

    statusLabel_ = new QLabel(QStringLiteral("No action"), statusPanel);
    statusLabel_->setObjectName(QStringLiteral("LabelInfo"));
    statusLabel_->setGeometry(8, 8, 395, 28);
    statusLabel_->setFont(bxl::ui::arialFont(bxl::ui::kPx16pt, true));
    bxl::ui::setTextColour(statusLabel_, bxl::ui::windowTextColour());

    getButton_ = makePictureButton("BitBtnHaal", "Get", "get", 8, 62, 161);
    sendButton_ = makePictureButton("BitBtnZend", "Send", "send", 168, 62, 153);
    overviewButton_ = makePictureButton("BitBtnWHRBDA", "Overview", "overview", 384, 62, 161);
    logButton_ = makePictureButton("BitBtnLog", "Log", "log", 544, 62, 161);
    loadButton_ = makePictureButton("BitBtnLoad", "Load", "load", 8, 126, 161);
    saveButton_ = makePictureButton("BitBtnSave", "Save", "save", 168, 126, 153);
    graphButton_ = makePictureButton("BitBtnGraph", "Graph", "graph", 384, 126, 161);
    exportButton_ = makePictureButton("BitBtnExcel", "EXCEL", "excel", 544, 126, 161);
    getButton_->setEnabled(false);
    sendButton_->setEnabled(false);
    connect(getButton_, &QPushButton::clicked, this, &TForm1::BitBtnHaalClick);
    connect(sendButton_, &QPushButton::clicked, this, &TForm1::BitBtnZendClick);
    connect(overviewButton_, &QPushButton::clicked, this, &TForm1::BitBtnWHRBDAClick);
    connect(logButton_, &QPushButton::clicked, this, &TForm1::BitBtnLogClick);
    connect(loadButton_, &QPushButton::clicked, this, &TForm1::BitBtnLoadClick);
    connect(saveButton_, &QPushButton::clicked, this, &TForm1::BitBtnSaveClick);
    connect(graphButton_, &QPushButton::clicked, this, &TForm1::BitBtnGraphClick);
    connect(exportButton_, &QPushButton::clicked, this, &TForm1::BitBtnExcelClick);
    for (const ButtonKey& key : kButtonKeys) {
        auto* button = findChild<QPushButton*>(QLatin1String(key.name));
        const QKeySequence sequence(Qt::ALT | key.key);
        button->setShortcut(sequence);
        button->setToolTip(
            QStringLiteral("%1 (%2)").arg(button->text(), sequence.toString(QKeySequence::NativeText)));
    }
    // Two small buttons of the tool's own in the free space between "Send"
    // and "Overview": the compare window (also Alt+C) and the service report
    // (Ctrl+P).
    compareButton_ =
        makeSmallButton("compareButton", "Compare", "Compare", 80, QKeySequence(Qt::ALT | Qt::Key_C));
    connect(compareButton_, &QPushButton::clicked, this, &TForm1::compareRequested);
    reportButton_ = makeSmallButton("reportButton", "Report", "Service report...", 127,
                                    QKeySequence(Qt::CTRL | Qt::Key_P));
    reportButton_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(reportButton_, &QPushButton::clicked, this, &TForm1::serviceReportRequested);
    // Alt+C opens the compare window at once, whatever has the focus.
    auto* compareKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_C), this);
    compareKey->setObjectName(QStringLiteral("CompareKey"));
    connect(compareKey, &QShortcut::activated, this, &TForm1::compareRequested);
    auto* monitorKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_M), this);
    monitorKey->setObjectName(QStringLiteral("MonitorKey"));
    connect(monitorKey, &QShortcut::activated, this, &TForm1::linkMonitorRequested);

    pages_ = std::make_unique<bxl::ui::MenuPages>(store_, bindings_, this);
    connect(pages_->pageControl(), &bxl::ui::PageControl::currentChanged, this, &TForm1::PageControl1Change);

    editor_ = std::make_unique<bxl::ui::EditorPanel>(store_, bindings_, *pages_, this);
    for (QPushButton* button : editor_->stepButtons())
        connect(button, &QPushButton::clicked, this, [this, button] { ButtonEditPPMMClick(button); });
    connect(editor_->closeButton(), &QPushButton::clicked, this, &TForm1::ButtonXEditClick);
}

void TForm1::buildPages() {
    pages_->build();
    for (int i = 0; i < bindings_.used(); ++i) {
        bxl::ui::ValueField* field = pages_->valueField(i);
        connect(field, &bxl::ui::ValueField::entered, this, [this, field](Qt::FocusReason reason) {
            if (enteredByChoice(reason)) Edit1Enter(field);
        });
        field->installEventFilter(this);
    }
    refreshAllBindings();
}
