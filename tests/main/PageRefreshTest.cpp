// Process replies redraw the fields of the page in view; a page brought into
// view later shows at once what the newest replies left in the store.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "link/Frames.h"
#include "model/ParamTable.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakePort.h"
#include "ui/common/UiCommon.h"
#include "ui/main/Form1.h"
#include "ui/main/PageControl.h"

namespace {

class PageRefresh : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm1>(store, bindings, port, dialogs);
        form->show();
        pages = form->findChild<bxl::ui::PageControl*>(QStringLiteral("PageControl1"));
        ASSERT_NE(pages, nullptr);
        form->Timer1Timer();  // the first request goes out
    }

    // The unit answers a read-process request with `values`; two ticks find
    // the line quiet and handle the reply.
    void processReply(const bxl::BlockValues& values) {
        port.deliver(bxl::blockFrame(bxl::kCmdProcessReply, values));
        form->Timer1Timer();
        form->Timer1Timer();
    }
    // The bindings of process values on page `page`.
    std::vector<int> processBindingsOn(int page) const {
        std::vector<int> found;
        for (int i = 0; i < bindings.used(); ++i)
            if (bindings.at(i).page == page && bindings.at(i).valueIndex >= bxl::kProcessFirst)
                found.push_back(i);
        return found;
    }
    QString storeText(int binding) const {
        return bxl::ui::toDisplayText(bxl::bindingText(store, bindings.at(binding)));
    }
    QColor storeColour(int binding) const {
        return bxl::ui::toQColor(bxl::bindingColour(store, bindings.at(binding)));
    }
    QColor fieldColour(int binding) const {
        return form->valueField(binding)->palette().color(QPalette::Text);
    }
    void clickTab(int page) {
        QPushButton* tab = pages->tabButton(page);
        QTest::mouseClick(tab, Qt::LeftButton, Qt::NoModifier, tab->rect().center());
        ASSERT_EQ(pages->currentIndex(), page);
    }

    bxl::ValueStore store;
    bxl::BindingTable bindings;
    bxl::test::FakePort port{true};
    bxl::test::FakeDialogs dialogs;
    std::unique_ptr<TForm1> form;
    bxl::ui::PageControl* pages = nullptr;
};

TEST_F(PageRefresh, PageShownAfterRepliesShowsTheNewestValuesAndColours) {
    // A page out of view with two process values: one the engineer has just
    // changed (its write still pending), one that only the unit changes.
    int page = -1;
    for (int p = 1; p < bxl::kMenuPageCount && page < 0; ++p)
        if (processBindingsOn(p).size() >= 2) page = p;
    ASSERT_GT(page, 0);
    const std::vector<int> onPage = processBindingsOn(page);
    const int edited = onPage[0];
    const int live = onPage[1];
    const int editedIndex = bindings.at(edited).valueIndex;
    const int liveIndex = bindings.at(live).valueIndex;
    ASSERT_NE(editedIndex, liveIndex);

    store.setCurrent(editedIndex, 7);
    store.setPending(editedIndex, 1);
    form->refreshAllBindings();
    const QColor editedColour = fieldColour(edited);
    EXPECT_EQ(editedColour, QColor(192, 112, 112));

    // In view: the first page's process values follow every reply at once.
    const std::vector<int> firstPage = processBindingsOn(0);
    ASSERT_FALSE(firstPage.empty());
    bxl::BlockValues values{};
    for (int reply = 1; reply <= 3; ++reply) {
        values.fill(0);
        values[static_cast<std::size_t>(liveIndex - bxl::kProcessFirst)] = 100 * reply;
        values[static_cast<std::size_t>(bindings.at(firstPage[0]).valueIndex - bxl::kProcessFirst)] = reply;
        // The last reply reports the engineer's value: the unit took it.
        values[static_cast<std::size_t>(editedIndex - bxl::kProcessFirst)] = reply == 3 ? 7 : 5;
        processReply(values);
        EXPECT_EQ(form->valueField(firstPage[0])->text(), storeText(firstPage[0])) << reply;
    }
    ASSERT_EQ(store.current(liveIndex), 300);
    ASSERT_EQ(store.pending(editedIndex), 0);

    // Out of view, the fields were left as they were drawn.
    EXPECT_NE(form->valueField(live)->text(), storeText(live));
    EXPECT_EQ(fieldColour(edited), editedColour);

    // Shown, every field of the page is the store's at once, before any
    // further tick.
    clickTab(page);
    EXPECT_NE(storeColour(edited), editedColour);
    for (int b : onPage) {
        EXPECT_EQ(form->valueField(b)->text(), storeText(b)) << b;
        EXPECT_EQ(fieldColour(b), storeColour(b)) << b;
    }

    // Back on the first page, which missed nothing while out of view.
    clickTab(0);
    for (int b : firstPage) EXPECT_EQ(form->valueField(b)->text(), storeText(b)) << b;
}

TEST_F(PageRefresh, ControlsAndConnectionLossRedrawEveryPage) {
    // The rare refreshes of the whole table stay whole: a "Get" shows every
    // control, and the moment the link is lost every field, in view or not,
    // takes its offline colour.
    int control = -1;
    for (int i = 0; i < bindings.used() && control < 0; ++i)
        if (bindings.at(i).page > 0 && bindings.at(i).valueIndex < bxl::kProcessFirst) control = i;
    ASSERT_GE(control, 0);

    processReply(bxl::BlockValues{});  // a live unit enables "Get"
    auto* get = form->findChild<QPushButton*>(QStringLiteral("BitBtnHaal"));
    ASSERT_TRUE(get->isEnabled());
    QTest::mouseClick(get, Qt::LeftButton);
    port.take();
    for (int tick = 0; tick < 16 && port.written.empty(); ++tick) form->Timer1Timer();
    ASSERT_EQ(port.take(), bxl::requestFrame(bxl::kCmdReadControls));
    bxl::BlockValues controls{};
    controls[static_cast<std::size_t>(bindings.at(control).valueIndex)] = 42;
    port.deliver(bxl::blockFrame(bxl::kCmdControlsReply, controls));
    form->Timer1Timer();
    form->Timer1Timer();
    ASSERT_EQ(store.offline(), 0);
    EXPECT_EQ(form->valueField(control)->text(), storeText(control));
    EXPECT_EQ(fieldColour(control), QColor(0, 0, 0));

    for (int tick = 0; tick < 70 && store.offline() == 0; ++tick) form->Timer1Timer();
    ASSERT_EQ(store.offline(), 1);
    EXPECT_EQ(fieldColour(control), QColor(128, 128, 128));
}

}  // namespace
