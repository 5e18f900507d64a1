// The main window as an engineer meets it: a shown, active window, real
// mouse clicks and key presses on the widgets found by their object names,
// and checks of what the engineer then sees and of what would reach the unit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <array>
#include <string>
#include <vector>

#include "app/ToolWindows.h"
#include "model/ParamTable.h"
#include "tests/support/ShownTool.h"

namespace {

const QColor kCyan(0, 255, 255);

class UserClicks : public bxl::test::ShownTool {
protected:
    template <typename T = QWidget>
    T* widget(const QString& name) {
        T* w = form.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QPushButton* button(const char* name) { return widget<QPushButton>(QString::fromLatin1(name)); }

    int firstLineOf(int page) const {
        for (int i = 0; i < bindings.used(); ++i)
            if (bindings.at(i).page == page) return i;
        return -1;
    }
    // The last editable line of a menu: far down its page.
    int lastEditableOf(int menu) const {
        int last = -1;
        for (int i = 0; i < bindings.used(); ++i) {
            const auto& r = bxl::kParamTable[bindings.at(i).row];
            if (r.menu == menu && bxl::isEditable(r)) last = i;
        }
        return last;
    }
    QLineEdit* field(int binding) const { return form.valueField(binding); }
    QScrollArea* scrollBoxOf(int binding) const {
        const bxl::MenuPage& page = bxl::kMenuPages[static_cast<std::size_t>(bindings.at(binding).page)];
        return form.findChild<QScrollArea*>(QString::fromLatin1(page.scrollName));
    }

    void clickTab(int page) {
        const bxl::MenuPage& p = bxl::kMenuPages[static_cast<std::size_t>(page)];
        QTest::mouseClick(widget<QPushButton>(QString::fromLatin1(p.tabName) + QStringLiteral("Tab")),
                          Qt::LeftButton);
    }
    void clickField(int binding) {
        scrollBoxOf(binding)->ensureWidgetVisible(field(binding));
        QTest::mouseClick(field(binding), Qt::LeftButton);
    }
    void pressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : &form, static_cast<Qt::Key>(key), modifiers);
    }
    // A click at a point of the window, on whatever widget is there now.
    void clickAt(QPoint inWindow) {
        QWidget* target = form.childAt(inWindow);
        if (target == nullptr) target = &form;
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(&form, inWindow));
    }
    QPoint centreInWindow(QWidget* w) const { return w->mapTo(&form, w->rect().center()); }

    std::array<int32_t, bxl::kValueCount> values() const {
        std::array<int32_t, bxl::kValueCount> v{};
        for (int i = 0; i < bxl::kValueCount; ++i) v[static_cast<std::size_t>(i)] = store.current(i);
        return v;
    }
    // The names of the fields that show as selected by the editor.
    std::string cyanFields() const {
        QStringList cyan;
        for (int i = 0; i < bindings.used(); ++i)
            if (field(i)->palette().color(QPalette::Base) == kCyan) cyan << field(i)->objectName();
        return cyan.join(QLatin1Char(' ')).toStdString();
    }
    std::string name(int binding) const { return field(binding)->objectName().toStdString(); }
    // The editor is closed on screen and in its state.
    void expectEditorClosed(const char* when) {
        EXPECT_EQ(form.selectedBinding(), -1) << when;
        EXPECT_TRUE(widget(QStringLiteral("PanelEdit"))->isHidden()) << when;
        EXPECT_EQ(cyanFields(), "") << when;
    }
    void expectEditorOn(int binding, const char* when) {
        EXPECT_EQ(form.selectedBinding(), binding) << when;
        EXPECT_FALSE(widget(QStringLiteral("PanelEdit"))->isHidden()) << when;
        EXPECT_EQ(cyanFields(), name(binding)) << when;
    }

    // Every question is answered OK and every file dialog cancelled.
    TForm2& overview = windows.form2;
    TForm3& log = windows.form3;
    TForm4& graphs = windows.form4;
    QStringList& questions = dialogs.questions;
    QStringList& errors = dialogs.told;
    QStringList& picked = dialogs.picked;
};

}  // namespace

// "X" closes the editor and does nothing else: the page stays where it was,
// no field stays selected and "+" has nothing left to change.
TEST_F(UserClicks, XClosesTheEditorAndNothingElse) {
    const struct {
        const char* what;
        int binding;
    } cases[] = {
        {"first line of M02", bindingOf(2, 1)},
        {"third line of M02", bindingOf(2, 3)},
        {"last line of M60, scrolled down", lastEditableOf(60)},
        {"last line of M13, scrolled down", lastEditableOf(13)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clickTab(bindings.at(c.binding).page);
        clickField(c.binding);
        expectEditorOn(c.binding, "after the click on the field");

        const int32_t before = store.current(bindings.at(c.binding).valueIndex);
        const QPoint plus = centreInWindow(button("ButtonEditP"));
        QTest::mouseClick(button("ButtonEditP"), Qt::LeftButton);
        EXPECT_NE(store.current(bindings.at(c.binding).valueIndex), before) << "a click on + steps the line";

        QScrollBar* scroll = scrollBoxOf(c.binding)->verticalScrollBar();
        const int scrolled = scroll->value();
        const auto stepped = values();
        QTest::mouseClick(button("ButtonXEdit"), Qt::LeftButton);
        expectEditorClosed("after X");
        EXPECT_EQ(scroll->value(), scrolled) << "the page does not jump";

        clickAt(plus);
        expectEditorClosed("after a click where + was");
        EXPECT_EQ(values(), stepped) << "nothing changed by a click where + was";
    }
}

// Changing pages opens nothing, wherever the focus was.
TEST_F(UserClicks, PageTabsOpenNothing) {
    const auto start = values();
    // With the focus on the first line of a page, editor open or closed, a
    // click on the next page's tab opens the editor on no line.
    for (int page = 0; page < bxl::kMenuPageCount; ++page) {
        const int next = (page + 1) % bxl::kMenuPageCount;
        SCOPED_TRACE(bxl::kMenuPages[static_cast<std::size_t>(next)].caption);
        clickTab(page);
        clickField(firstLineOf(page));
        if (form.selectedBinding() != -1) QTest::mouseClick(button("ButtonXEdit"), Qt::LeftButton);
        clickTab(next);
        expectEditorClosed("after the tab click");
    }

    const int supply = bindingOf(2, 1);
    // An editor left open on M02 stays on its line while other pages are
    // looked at, and opens on no other line.
    clickField(supply);
    for (int page : {4, 15, 0}) {
        clickTab(page);
        EXPECT_EQ(form.selectedBinding(), supply);
        EXPECT_EQ(cyanFields(), name(supply));
    }
    // A measurement line closes it.
    clickField(bindingOf(1, 1));
    expectEditorClosed("after a click on a measurement line");
    EXPECT_EQ(values(), start);

    // After a page change, Tab leads into the new page.
    clickTab(1);
    expectEditorClosed("after the tab click");
    pressKey(Qt::Key_Tab);
    expectEditorOn(supply, "after Tab");
}

// Focus given back to a line opens nothing: after "X" the line keeps the
// focus, and leaving the window and coming back returns it to the line.
TEST_F(UserClicks, FocusGivenBackOpensNothing) {
    const int supply = bindingOf(2, 1);
    clickTab(1);
    clickField(supply);
    QTest::mouseClick(button("ButtonXEdit"), Qt::LeftButton);
    log.show();
    activate(&log);
    EXPECT_FALSE(field(supply)->hasFocus());
    activate(&form);
    EXPECT_TRUE(field(supply)->hasFocus());
    expectEditorClosed("after the window was activated again");

    // A click on the line opens the editor, as on any other line.
    clickField(supply);
    expectEditorOn(supply, "after a click");

    // A click that reaches the window while another one is still active
    // opens the editor at once; the focus given back later changes nothing.
    const int other = bindingOf(2, 3);
    activate(&log);
    clickField(other);
    expectEditorOn(other, "after a click into the inactive window");
    activate(&form);
    expectEditorOn(other, "after the window became active");
}

// Qt hands the focus on, as if by Tab, from a widget that is hidden or
// disabled while it has it. No window action does that to a line today; if
// one ever does, the next line gains the focus but no editor.
TEST_F(UserClicks, FocusHandedOnOpensNothing) {
    const int supply = bindingOf(2, 1);
    for (const bool hide : {true, false}) {
        SCOPED_TRACE(hide ? "hidden" : "disabled");
        clickTab(1);
        clickField(supply);
        QTest::mouseClick(button("ButtonXEdit"), Qt::LeftButton);
        if (hide)
            field(supply)->hide();
        else
            field(supply)->setEnabled(false);
        EXPECT_TRUE(field(supply + 1)->hasFocus());
        expectEditorClosed("after the line lost the focus");
        field(supply)->show();
        field(supply)->setEnabled(true);
    }
}

// A deliberate click or Tab into an editable line opens the editor there; a
// click on a line that already has the focus reopens it after "X".
TEST_F(UserClicks, ClicksAndTabOpenTheEditor) {
    const int first = bindingOf(2, 1);
    clickTab(1);
    clickField(first);
    expectEditorOn(first, "after the click");
    pressKey(Qt::Key_Tab);
    expectEditorOn(first + 1, "after Tab");
    pressKey(Qt::Key_Tab, Qt::ShiftModifier);
    expectEditorOn(first, "after Shift+Tab");

    QTest::mouseClick(button("ButtonXEdit"), Qt::LeftButton);
    expectEditorClosed("after X");
    clickField(first);
    expectEditorOn(first, "after a second click on the same line");

    QTest::mouseClick(button("ButtonEditPP"), Qt::LeftButton);
    EXPECT_EQ(field(first)->text(), QStringLiteral("100 m3/h"));
    EXPECT_EQ(field(first)->palette().color(QPalette::Text), QColor(255, 0, 0));
}

// Every command button does its work when clicked.
TEST_F(UserClicks, EveryCommandButtonIsWired) {
    auto* get = button("BitBtnHaal");
    auto* send = button("BitBtnZend");
    const int supply = bindingOf(2, 1);

    // Get and Send close the editor and start a transfer, which holds both.
    for (const char* name : {"BitBtnHaal", "BitBtnZend"}) {
        SCOPED_TRACE(name);
        activate(&form);
        clickTab(1);
        clickField(supply);
        form.enableTransferButtons(true);
        QTest::mouseClick(button(name), Qt::LeftButton);
        expectEditorClosed(name);
        EXPECT_FALSE(get->isEnabled());
        EXPECT_FALSE(send->isEnabled());
    }
    EXPECT_EQ(questions.join(QLatin1Char('|')).toStdString(),
              "Sending data from PC to Brisaval XL, sure to do this?");

    // Load, Save and EXCEL close the editor and ask for their path.
    const struct {
        const char* name;
        const char* dialog;
    } files[] = {
        {"BitBtnLoad", "OpenDialog1"},
        {"BitBtnSave", "SaveDialog1"},
        {"BitBtnExcel", "SaveDialog2"},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        picked.clear();
        clickField(supply);
        QTest::mouseClick(button(f.name), Qt::LeftButton);
        expectEditorClosed(f.name);
        EXPECT_EQ(picked, QStringList{QString::fromLatin1(f.dialog)});
    }
    EXPECT_EQ(errors.join(QLatin1Char('|')).toStdString(), "");

    // Overview and Log toggle their windows; Graph opens the page's graph.
    QTest::mouseClick(button("BitBtnWHRBDA"), Qt::LeftButton);
    EXPECT_TRUE(overview.isVisible());
    activate(&form);
    QTest::mouseClick(button("BitBtnWHRBDA"), Qt::LeftButton);
    EXPECT_FALSE(overview.isVisible());
    QTest::mouseClick(button("BitBtnLog"), Qt::LeftButton);
    EXPECT_TRUE(log.isVisible());
    activate(&form);
    QTest::mouseClick(button("BitBtnLog"), Qt::LeftButton);
    EXPECT_FALSE(log.isVisible());
    clickTab(15);  // M60
    QTest::mouseClick(button("BitBtnGraph"), Qt::LeftButton);
    EXPECT_TRUE(graphs.isVisible());
    EXPECT_EQ(graphs.selectedTab(), 2);
}
