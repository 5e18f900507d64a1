#include "ui/main/EditorPanel.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "model/Bindings.h"
#include "model/ParamTable.h"
#include "model/ValueEditor.h"
#include "ui/common/UiCommon.h"
#include "ui/main/MenuPages.h"

namespace bxl::ui {

namespace {

const QColor kCyan(0, 255, 255);

struct StepButton {
    const char* name;
    const char* caption;
    int left, top;
    int steps;
};

constexpr std::array<StepButton, 6> kStepButtons{{
    {"ButtonEditPPP", "+++", 5, 3, 100},
    {"ButtonEditPP", "++", 29, 3, 10},
    {"ButtonEditP", "+", 53, 3, 1},
    {"ButtonEditMMM", "- - -", 5, 19, -100},
    {"ButtonEditMM", "- -", 29, 19, -10},
    {"ButtonEditM", "-", 53, 19, -1},
}};

}  // namespace

EditorPanel::EditorPanel(ValueStore& store, const BindingTable& bindings, MenuPages& pages, QWidget* window)
    : store_(store), bindings_(bindings), pages_(pages), panel_(new QFrame(window)) {
    panel_->setObjectName(QStringLiteral("PanelEdit"));
    panel_->setGeometry(24, 304, 105, 39);
    panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel_->setLineWidth(2);
    setBackground(panel_, kCyan);
    // The panel's buttons never take the focus: it stays on the edited field,
    // so hiding the panel hands the focus to no other field.
    for (std::size_t i = 0; i < kStepButtons.size(); ++i) {
        const StepButton& step = kStepButtons[i];
        auto* button = new QPushButton(QString::fromLatin1(step.caption), panel_);
        button->setObjectName(QString::fromLatin1(step.name));
        button->setGeometry(step.left, step.top, 25, 17);
        button->setFocusPolicy(Qt::NoFocus);
        button->setProperty("steps", step.steps);
        stepButtons_[i] = button;
    }
    closeButton_ = new QPushButton(QStringLiteral("X"), panel_);
    closeButton_->setObjectName(QStringLiteral("ButtonXEdit"));
    closeButton_->setGeometry(86, 1, 18, 18);
    closeButton_->setFocusPolicy(Qt::NoFocus);
    QFont bold = windowFont();
    bold.setBold(true);
    closeButton_->setFont(bold);
    panel_->hide();
}

bool EditorPanel::highlights(const QObject* field) const {
    return field != nullptr && field == highlighted_;
}

void EditorPanel::reset() {
    selected_ = -1;
    highlighted_ = nullptr;
}

void EditorPanel::open(QObject* sender) {
    auto* field = qobject_cast<QLineEdit*>(sender);
    if (field == nullptr || pages_.findBindingByValueField(field) < 0) return;
    if (selected_ != -1) close();
    selected_ = pages_.findBindingByValueField(field);
    if (selected_ >= 0 && !isEditable(kParamTable[bindings_.at(selected_).row])) selected_ = -1;
    if (selected_ == -1) return;
    panel_->setParent(field->parentWidget());
    panel_->move(field->x() + field->width(), field->y() - 7);
    panel_->show();
    panel_->raise();
    highlighted_ = field;
    setFieldBackground(field, kCyan);
}

void EditorPanel::step(const QObject* sender) {
    if (selected_ == -1 || sender == nullptr) return;
    const int steps = sender->property("steps").toInt();
    if (steps == 0) return;
    applyStep(store_, bindings_.at(selected_), steps);
    pages_.refreshBinding(selected_);
}

void EditorPanel::close() {
    if (selected_ == -1) return;
    // The editor is closed before the panel is hidden: hiding a widget can
    // move the focus, and whatever that starts finds the editor closed.
    selected_ = -1;
    if (QLineEdit* field = std::exchange(highlighted_, nullptr)) setFieldBackground(field, windowColour());
    panel_->hide();
}

}  // namespace bxl::ui
