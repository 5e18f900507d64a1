// A test fixture with the tool's windows as the application wires them, the
// main window shown and active, a port that never opens, dialogs that answer
// in the engineer's place and a settings history in a private folder: the
// ground for tests that click and type as the engineer does.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "app/ToolWindows.h"
#include "model/ParamTable.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/NullPort.h"
#include "tests/support/TempFolder.h"

namespace bxl::test {

class ShownTool : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        activate(&form);
        store.setOffline(0);
    }

    static void activate(QWidget* window) {
        window->activateWindow();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    template <typename T = QWidget>
    static T* child(QWidget* root, const char* name) {
        T* w = root->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // The binding of menu line Mmenu.item.
    int bindingOf(int menu, int item) const {
        for (int i = 0; i < bindings.used(); ++i) {
            const auto& r = kParamTable[bindings.at(i).row];
            if (r.menu == menu && r.item == item) return i;
        }
        ADD_FAILURE() << "no line M" << menu << "." << item;
        return 0;
    }
    // As if the unit held the value: no field shows it as changed.
    void setAsReceived(int index, int32_t v) {
        store.setCurrent(index, v);
        store.setReceived(index, v);
        store.setPending(index, 0);
    }

    TempFolder temp;
    FakeDialogs dialogs;
    ToolWindows windows{std::make_unique<NullPort>(), dialogs, std::nullopt, temp.file("history")};
    ValueStore& store = windows.store;
    const BindingTable& bindings = windows.bindings;
    TForm1& form = windows.form1;
};

}  // namespace bxl::test
