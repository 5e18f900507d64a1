// Finding the adapter as an engineer does: the reason a port is closed on
// the main window, a click on the port state opening the port dialog, and
// "Use for port N" making the alias that the port then opens through.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>

#include "app/ToolWindows.h"
#include "link/PortResolver.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakePort.h"
#include "tests/support/SimulatedUnit.h"

namespace {

using bxl::PortEntry;
using bxl::PortProblem;

class PortChooser : public ::testing::Test {
protected:
    PortChooser() {
        auto owned = std::make_unique<bxl::test::FakePort>();
        port = owned.get();
        windows = std::make_unique<bxl::ToolWindows>(std::move(owned), dialogs);
        windows->listPorts = [this] { return listed; };
    }
    void SetUp() override {
        windows->form1.show();
        windows->form1.activateWindow();
        QApplication::setActiveWindow(&windows->form1);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&windows->form1));
    }
    template <typename T = QWidget>
    T* in(QWidget* window, const char* name) {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void tick() { windows->form1.Timer1Timer(); }

    bxl::test::PrivateDataHome home;  // the aliases land here
    bxl::test::FakeDialogs dialogs;
    bxl::test::FakePort* port = nullptr;
    std::unique_ptr<bxl::ToolWindows> windows;
    // A laptop with a modem held by another program, one adapter and an
    // empty legacy port.
    std::vector<PortEntry> listed{
        {"ttyUSB0", "/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K1234-if00-port0",
         "FT232R USB UART", "FTDI", "A10K1234", "", false},
        {"ttyACM0", "/dev/ttyACM0", "/dev/serial/by-id/usb-Sierra_Modem-if00", "Modem", "Sierra", "",
         "another program", false},
        {"ttyS0", "/dev/ttyS0", "", "", "", "", "", true},
    };
};

// While the port is closed, the frame says why in words, with the sentence
// as its tooltip; open, it says nothing.
TEST_F(PortChooser, ClosedPortShowsWhy) {
    auto* reason = in<QLabel>(&windows->form1, "portReason");
    const struct {
        PortProblem problem;
        const char* sentence;
        const char* words;
    } cases[] = {
        {PortProblem::NoDevice, "no device for port 1", "no device"},
        {PortProblem::Permission, "permission denied: add your user to the dialout group", "no permission"},
        {PortProblem::InUse, "in use by another program", "in use"},
        {PortProblem::Lost, "device lost: /dev/ttyUSB0 went away", "device lost"},
    };
    port->fail();
    for (const auto& c : cases) {
        port->closedProblem = c.problem;
        port->closedReason = c.sentence;
        tick();
        EXPECT_TRUE(reason->isVisible()) << c.sentence;
        EXPECT_EQ(reason->text(), QString::fromLatin1(c.words));
        EXPECT_EQ(reason->toolTip(), QString::fromLatin1(c.sentence));
        EXPECT_EQ(in<QLabel>(&windows->form1, "LabelComOpen")->text(), QStringLiteral("Closed"));
    }
    // The reason stays inside the frame, clear of its other components.
    const QRect frame = in<QWidget>(&windows->form1, "GroupBox1")->rect();
    EXPECT_TRUE(frame.contains(reason->geometry()));
    EXPECT_FALSE(reason->geometry().intersects(in<QWidget>(&windows->form1, "Label7")->geometry()));
    EXPECT_FALSE(reason->geometry().intersects(in<QWidget>(&windows->form1, "ProgressBarRec")->geometry()));

    port->present = true;
    windows->form1.reopenPort();
    tick();
    EXPECT_FALSE(reason->isVisible());
}

TEST_F(PortChooser, ClickOnPortStateListsPortsAndUseForPortWritesTheAlias) {
    auto* state = in<QLabel>(&windows->form1, "LabelComOpen");
    QTest::mouseClick(state, Qt::LeftButton, Qt::NoModifier, state->rect().center());
    ASSERT_NE(windows->portDialog, nullptr);
    bxl::ui::PortDialog* dialog = windows->portDialog.get();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));

    auto* table = in<QTableWidget>(dialog, "portTable");
    ASSERT_EQ(table->rowCount(), 3);
    const auto cell = [&](int row, int column) { return table->item(row, column)->text(); };
    // The port each device takes without an alias, and what it is.
    EXPECT_EQ(cell(0, 0), "1");
    EXPECT_EQ(cell(0, 1), "/dev/ttyUSB0");
    EXPECT_EQ(cell(0, 2), QString::fromStdString(listed[0].byId));
    EXPECT_EQ(cell(0, 4), "FTDI");
    EXPECT_EQ(cell(0, 5), "A10K1234");
    EXPECT_EQ(cell(0, 6), "no");
    EXPECT_EQ(cell(1, 0), "2");
    EXPECT_EQ(cell(1, 6), "another program");
    EXPECT_EQ(cell(2, 0), "none");
    EXPECT_TRUE(
        in<QLabel>(dialog, "portNow")->text().startsWith("Port 1 is /dev/ttyUSB0 (port 1 of 2 listed)."))
        << in<QLabel>(dialog, "portNow")->text().toStdString();

    auto* use = in<QPushButton>(dialog, "usePort");
    EXPECT_EQ(use->text(), "Use for port 1");
    EXPECT_FALSE(use->isEnabled()) << "nothing chosen yet";
    const QRect modemRow = table->visualItemRect(table->item(1, 1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, modemRow.center());
    ASSERT_TRUE(use->isEnabled());
    port->calls.clear();
    QTest::mouseClick(use, Qt::LeftButton);

    // The alias leads to the stable name, and the port is opened anew.
    const std::string alias = bxl::portAliasPath(bxl::portAliasDir(), 1);
    EXPECT_EQ(bxl::linkTarget(alias), listed[1].byId);
    EXPECT_EQ(port->calls, (std::vector<std::string>{"close", "com1", "open"}));
    EXPECT_TRUE(
        in<QLabel>(dialog, "portNow")
            ->text()
            .startsWith(QStringLiteral("Port 1 is %1, through its alias %2.")
                            .arg(QString::fromStdString(listed[1].byId), QString::fromStdString(alias))));

    // A later click shows the same dialog again, on the port chosen now.
    dialog->close();
    QTest::mouseClick(state, Qt::LeftButton, Qt::NoModifier, state->rect().center());
    EXPECT_EQ(windows->portDialog.get(), dialog);
    EXPECT_TRUE(dialog->isVisible());
}

// An alias is written only over a link, never over someone's file, and the
// folder is made when missing.
TEST(PortAlias, WrittenOverLinksOnly) {
    bxl::test::PrivateDataHome home;
    const std::string dir = home.path().toStdString() + "/brisaval-xl/ports";
    EXPECT_EQ(bxl::writePortAlias(dir, 2, "/dev/serial/by-id/a"), "");
    EXPECT_EQ(bxl::writePortAlias(dir, 2, "/dev/serial/by-id/b"), "");
    EXPECT_EQ(bxl::linkTarget(dir + "/com2"), "/dev/serial/by-id/b");
    std::FILE* f = std::fopen((dir + "/com3").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_NE(bxl::writePortAlias(dir, 3, "/dev/ttyUSB0").find("is not a link"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir + "/com3"));
}

}  // namespace
