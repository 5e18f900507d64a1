// The value editor: the step panel "PanelEdit" with its six step buttons and
// "X", the menu line being edited and the cyan highlight of its field. The
// main window's handlers Edit1Enter, ButtonEditPPMMClick and ButtonXEditClick
// run open(), step() and close().
#pragma once

#include <array>

#include "model/Bindings.h"
#include "model/ValueStore.h"

class QFrame;
class QLineEdit;
class QObject;
class QPushButton;
class QWidget;

namespace bxl::ui {

class MenuPages;

class EditorPanel {
public:
    // The hidden panel in `window`, until a field is opened.
    EditorPanel(ValueStore& store, const BindingTable& bindings, MenuPages& pages, QWidget* window);

    // The six step buttons in the order +++, ++, +, - - -, - -, -; each
    // carries its step count as the property "steps".
    const std::array<QPushButton*, 6>& stepButtons() const { return stepButtons_; }
    QPushButton* closeButton() const { return closeButton_; }

    // The binding being edited, -1 while the editor is closed.
    int selectedBinding() const { return selected_; }
    // Whether `field` shows as the one being edited.
    bool highlights(const QObject* field) const;

    // Forgets the line and the highlight without touching the panel (the
    // window being shown).
    void reset();
    // Opens the editor on the value field `sender` when its line is
    // editable; closes it on any other field.
    void open(QObject* sender);
    // One of the step buttons: steps the line being edited.
    void step(const QObject* sender);
    void close();

private:
    ValueStore& store_;
    const BindingTable& bindings_;
    MenuPages& pages_;
    QFrame* panel_;
    std::array<QPushButton*, 6> stepButtons_{};
    QPushButton* closeButton_;
    int selected_ = -1;
    QLineEdit* highlighted_ = nullptr;
};

}  // namespace bxl::ui
