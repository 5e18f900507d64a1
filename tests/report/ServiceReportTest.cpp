// The service report read back as a person reads it: the PDF's text through
// pdftotext, its pages through pdfinfo, its pictures through pdfimages.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <memory>

#include "app/ToolWindows.h"
#include "model/ValueIndexes.h"
#include "tests/support/FactorySettings.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/NullPort.h"
#include "tests/support/TempFolder.h"
#include "ui/overview/LiveOverview.h"
#include "ui/report/ServiceReport.h"

namespace {

constexpr int kSupplyAir1 = 1;  // M02.01 "Supply air 1", m3/h
constexpr int kTempNtc1 = 256;  // M01.01 "Temp NTC1 (ODA)", tenths of a degree

bool havePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

class ServiceReport : public ::testing::Test {
protected:
    ServiceReport() {
        windows = std::make_unique<bxl::ToolWindows>(std::make_unique<bxl::NullPort>(), dialogs, std::nullopt,
                                                     temp.file("history"));
        bxl::test::loadFactorySettings(windows->store);
        windows->store.setCurrent(kTempNtc1, 215);
        windows->store.setReceived(kTempNtc1, 215);
    }

    // The unit's controls as read now: the store's current values, with the
    // given supply air.
    bxl::ControlsBlock unitControls(int32_t supplyAir) {
        bxl::ValueStore& store = windows->store;
        store.setCurrent(kSupplyAir1, supplyAir);
        bxl::ControlsBlock block{};
        for (int k = 0; k < bxl::kControlsCount; ++k) {
            block[static_cast<std::size_t>(k)] = store.current(k);
            store.setReceived(k, store.current(k));
        }
        return block;
    }
    void received(int32_t supplyAir) {
        windows->history->keep(unitControls(supplyAir), bxl::HistoryKind::Received);
    }

    QByteArray report(const QString& note = QString()) {
        return windows->serviceReportPdf(note, QDateTime(QDate(2026, 12, 10), QTime(14, 3, 5)));
    }
    // Runs a poppler tool on the PDF and gives what it printed.
    QString poppler(const QByteArray& pdf, const QString& tool, QStringList arguments) {
        const QString path = QString::fromStdString(temp.file("report.pdf"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
        file.close();
        QProcess process;
        arguments << path;
        if (tool == QStringLiteral("pdftotext")) arguments << QStringLiteral("-");
        process.start(tool, arguments);
        EXPECT_TRUE(process.waitForFinished(30000)) << tool.toStdString();
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    QString text(const QByteArray& pdf) {
        return poppler(pdf, QStringLiteral("pdftotext"), {QStringLiteral("-layout")});
    }
    int pages(const QByteArray& pdf) {
        const QString info = poppler(pdf, QStringLiteral("pdfinfo"), {});
        const auto at = info.indexOf(QStringLiteral("Pages:"));
        return at < 0 ? -1 : info.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
    }

    TempFolder temp;
    bxl::test::FakeDialogs dialogs;
    std::unique_ptr<bxl::ToolWindows> windows;
};

// Text positions in order, each found after the one before.
void expectInOrder(const QString& text, const QStringList& parts) {
    qsizetype from = 0;
    for (const QString& part : parts) {
        const qsizetype at = text.indexOf(part, from);
        EXPECT_GE(at, 0) << part.toStdString() << " missing or out of order";
        if (at >= 0) from = at + part.size();
    }
}

QString squeezed(const QString& text) {
    return text.simplified();
}

TEST_F(ServiceReport, TellsTheVisitFromAsFoundToAsLeft) {
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils not installed";
    received(5000);
    received(5100);
    // An edit not sent to the unit is not one of the unit's changes.
    windows->store.setCurrent(kSupplyAir1 + 1, 6500);

    const QByteArray pdf = report(QStringLiteral("Filters changed.\nBelt of the supply fan tightened."));
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const QString all = squeezed(text(pdf));
    expectInOrder(all, {QStringLiteral("Brisaval XL Control Center v3.07"),
                        QStringLiteral("2026-12-10 14:03:05"),
                        QStringLiteral("M99.01 Version number software"),
                        QStringLiteral("M80.01 Adress"),
                        QStringLiteral("Filters changed."),
                        QStringLiteral("Belt of the supply fan tightened."),
                        QStringLiteral("Changes during the visit"),
                        QStringLiteral("1 edited line in the tool was not sent"),
                        QStringLiteral("M02.01 Supply air 1 5000 m3/h 5100 m3/h"),
                        QStringLiteral("Settings as left"),
                        QStringLiteral("M02 Ventilation"),
                        QStringLiteral("M02.01 Supply air 1 5100 m3/h"),
                        QStringLiteral("M02.02 Supply air 2 6000 m3/h"),
                        QStringLiteral("M99 Service"),
                        QStringLiteral("Live values"),
                        QStringLiteral("M01 Actual Controls"),
                        QStringLiteral("M01.01 Temp NTC1 (ODA) 21.5 \u00b0C"),
                        QStringLiteral("Overview"),
                        QStringLiteral("Graphs"),
                        QStringLiteral("M2 Ventilation"),
                        QStringLiteral("M70 Filters")});
    EXPECT_FALSE(all.contains(QStringLiteral("Trend")));
    EXPECT_FALSE(all.contains(QStringLiteral("6500")));
    // One change: the live values, unknown as found, are not among them.
    const QString changes = all.section(QStringLiteral("Changes during the visit"), 1)
                                .section(QStringLiteral("Settings as left"), 0, 0);
    EXPECT_EQ(changes.count(QStringLiteral("M0")), 1) << changes.toStdString();
    // Every page of the settings and live values opens with the caption and
    // the headings of the table it continues.
    const QStringList pageTexts = text(pdf).split(QLatin1Char('\f'));
    const QRegularExpression firstLine(QStringLiteral("M(\\d\\d)\\.\\d\\d "));
    int tablePages = 0;
    for (const QString& page : pageTexts) {
        if (page.contains(QStringLiteral("Changes during the visit")) ||
            page.contains(QStringLiteral("Overview")) || page.contains(QStringLiteral("Graphs")))
            continue;
        const QRegularExpressionMatch line = firstLine.match(page);
        if (!line.hasMatch()) continue;
        ++tablePages;
        const QString before = page.left(line.capturedStart());
        EXPECT_TRUE(before.contains(QStringLiteral("M") + line.captured(1) + QLatin1Char(' ')) &&
                    before.contains(QStringLiteral("Value")))
            << page.left(300).toStdString();
    }
    EXPECT_GE(tablePages, 4);
    const int pageCount = pages(pdf);
    EXPECT_GE(pageCount, 6);
    EXPECT_LE(pageCount, 20);
    EXPECT_TRUE(all.contains(QStringLiteral("Page %1 of %1").arg(pageCount)));
    EXPECT_EQ(text(pdf).count(QLatin1Char('\f')), pageCount);
}

TEST_F(ServiceReport, SaysWhenNothingChangedOrNothingWasRead) {
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils not installed";
    const QString unread = squeezed(text(report()));
    EXPECT_TRUE(
        unread.contains(QStringLiteral("No controls were received from the unit since the tool started")));
    EXPECT_TRUE(unread.contains(QStringLiteral("they were not read from the unit")));

    received(5000);
    const QString same = squeezed(text(report()));
    expectInOrder(same, {QStringLiteral("Changes during the visit"), QStringLiteral("No changes."),
                         QStringLiteral("Settings as left")});
    EXPECT_FALSE(same.contains(QStringLiteral("As found")));
    EXPECT_FALSE(same.contains(QStringLiteral("No controls were received")));
}

TEST_F(ServiceReport, TrendOnlyWithARecording) {
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils not installed";
    received(5000);
    EXPECT_FALSE(text(report()).contains(QStringLiteral("Trend")));

    TForm3& log = windows->form3;
    log.ButtonStartClick();
    for (int i = 0; i < 3 && !log.hasRecording(); ++i) {
        log.Timer1Timer();
        if (!log.hasRecording()) QTest::qWait(600);
    }
    log.ButtonStopClick();
    ASSERT_TRUE(log.hasRecording());
    const QString withTrend = squeezed(text(report()));
    expectInOrder(withTrend, {QStringLiteral("Graphs"), QStringLiteral("Trend")});
}

// The pictures are in the file as they were drawn: lossless, large enough
// to print sharp, and the overview of a window never shown has its values.
TEST_F(ServiceReport, PicturesAreSharpAndTheOverviewHasItsValues) {
    received(5000);
    windows->store.setCurrent(bxl::kHeatExchanger, 0);
    ASSERT_FALSE(windows->form2.isVisible());
    const QByteArray pdf = report();

    windows->bindings.build();
    liveOverviewRefresh(windows->store, windows->bindings, windows->form2);
    const QImage overview = windows->form2.panelPicture(windows->store, 3);
    ASSERT_FALSE(overview.isNull());
    EXPECT_EQ(overview.width(), 840 * 3);
    // Not blank: the schematic's lines and the teal values are there.
    int dark = 0;
    for (int y = 0; y < overview.height(); y += 7)
        for (int x = 0; x < overview.width(); x += 7) dark += qGray(overview.pixel(x, y)) < 128;
    EXPECT_GT(dark, 200);
    const QLabel* t1 = windows->form2.panel(bxl::overview::kWWRe).t[0];
    EXPECT_TRUE(t1->text().contains(QStringLiteral("21.5")));

    if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty()) GTEST_SKIP();
    const QString list = poppler(pdf, QStringLiteral("pdfimages"), {QStringLiteral("-list")});
    EXPECT_FALSE(list.contains(QStringLiteral(" jpeg "))) << list.toStdString();
    int pictures = 0;
    for (const QString& line : list.split(QLatin1Char('\n'))) {
        const QStringList f = line.simplified().split(QLatin1Char(' '));
        if (f.size() < 5 || f[2] != QStringLiteral("image")) continue;
        ++pictures;
        EXPECT_GE(f[3].toInt(), 2100) << line.toStdString();
    }
    EXPECT_EQ(pictures, 5);  // the overview and the four graphs
}

// The rows as built from the model, before any layout: which values count
// as the unit's, as found and as left.
TEST(ServiceReportRows, AsLeftIsTheUnitsControlsAsLastReceived) {
    bxl::BindingTable bindings;
    bindings.build();
    struct Case {
        const char* what;
        std::optional<int32_t> found;  // supply air 1 as found; nothing: never read
        int32_t received, current;
        QStringList changes;  // "as found -> as left" of M02.01
        QString asLeft;       // M02.01 under "Settings as left"
    } cases[] = {
        {"never read", std::nullopt, 0, 4000, {}, QStringLiteral("4000 m3/h")},
        {"read, unchanged", 5000, 5000, 5000, {}, QStringLiteral("5000 m3/h")},
        {"sent a change",
         5000,
         5100,
         5100,
         {QStringLiteral("5000 m3/h -> 5100 m3/h")},
         QStringLiteral("5100 m3/h")},
        {"edited, not sent", 5000, 5000, 5300, {}, QStringLiteral("5000 m3/h")},
    };
    for (const Case& c : cases) {
        bxl::ValueStore store;
        store.setCurrent(kSupplyAir1, c.current);
        store.setReceived(kSupplyAir1, c.received);
        store.setCurrent(kTempNtc1, 215);
        std::optional<bxl::ControlsBlock> found;
        if (c.found) {
            found = bxl::ControlsBlock{};
            (*found)[kSupplyAir1] = *c.found;
        }
        const bxl::report::Report r =
            bxl::report::buildReport(store, bindings, found, QStringLiteral("Title"), QString(), QDateTime());
        QStringList changes;
        for (const QStringList& row : r.changes.rows) changes << row[2] + QStringLiteral(" -> ") + row[3];
        EXPECT_EQ(changes, c.changes) << c.what;
        ASSERT_FALSE(r.settings.empty());
        EXPECT_EQ(r.settings.front().caption, QStringLiteral("M02 Ventilation"));
        EXPECT_EQ(r.settings.front().rows.front().at(2), c.asLeft) << c.what;
        EXPECT_EQ(r.live.rows.front().at(2), QStringLiteral("21.5 \u00b0C")) << c.what;
    }
}

}  // namespace
