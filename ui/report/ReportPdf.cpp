// The layout of the service report: a text document on A4 pages of a PDF
// writer, drawn page by page with the page number at the foot.
#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "ui/report/ServiceReport.h"

namespace bxl::report {

namespace {

constexpr int kDotsPerInch = 300;
constexpr double kScreenDotsPerInch = 96.0;
constexpr double kFooterMillimetres = 10.0;
const QColor kHeadingShade(0xe8, 0xe8, 0xe8);

int dots(double millimetres) {
    return static_cast<int>(std::lround(millimetres * kDotsPerInch / 25.4));
}

QTextCharFormat textFormat(double points, bool bold = false) {
    QTextCharFormat format;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    format.setFont(font);
    return format;
}

class Writer {
public:
    // One edit for the whole document: it is laid out once, at the end.
    Writer(QTextDocument& document, double pageWidth) : cursor_(&document), pageWidth_(pageWidth) {
        cursor_.beginEditBlock();
    }
    ~Writer() { cursor_.endEditBlock(); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void heading(const QString& text, bool newPage) {
        QTextBlockFormat block;
        block.setTopMargin(first_ ? 0 : 24);
        block.setBottomMargin(12);
        block.setHeadingLevel(1);
        if (newPage && !first_) block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        newBlock(block);
        cursor_.insertText(text, textFormat(14, true));
    }

    void paragraph(const QString& text, bool bold = false, double points = 10) {
        QTextBlockFormat block;
        block.setBottomMargin(6);
        newBlock(block);
        cursor_.insertText(text, textFormat(points, bold));
    }

    // Label and value in two columns, without lines.
    void pairs(const std::vector<TitleRow>& rows) {
        if (rows.empty()) return;
        newBlock(QTextBlockFormat());
        QTextTableFormat format;
        format.setBorderStyle(QTextFrameFormat::BorderStyle_None);
        format.setCellPadding(6);
        format.setCellSpacing(0);
        format.setColumnWidthConstraints(
            {QTextLength(QTextLength::PercentageLength, 45), QTextLength(QTextLength::PercentageLength, 55)});
        QTextTable* table = cursor_.insertTable(static_cast<int>(rows.size()), 2, format);
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            table->cellAt(r, 0).firstCursorPosition().insertText(rows[static_cast<std::size_t>(r)].label,
                                                                 textFormat(10));
            table->cellAt(r, 1).firstCursorPosition().insertText(rows[static_cast<std::size_t>(r)].value,
                                                                 textFormat(10, true));
        }
        cursor_.movePosition(QTextCursor::End);
    }

    // A table whose caption row and heading row are repeated on every page
    // it spans.
    void table(const Table& t, const std::vector<double>& percentages) {
        const int columns = static_cast<int>(t.headings.size());
        newBlock(QTextBlockFormat());
        QTextTableFormat format;
        format.setBorder(0.5);
        format.setBorderBrush(QColor(0x90, 0x90, 0x90));
        format.setBorderCollapse(true);
        format.setCellPadding(5);
        format.setCellSpacing(0);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setHeaderRowCount(2);
        format.setBottomMargin(18);
        QList<QTextLength> widths;
        for (const double p : percentages) widths << QTextLength(QTextLength::PercentageLength, p);
        format.setColumnWidthConstraints(widths);
        QTextTable* table = cursor_.insertTable(static_cast<int>(t.rows.size()) + 2, columns, format);
        table->mergeCells(0, 0, 1, columns);
        QTextCharFormat shaded;
        shaded.setBackground(kHeadingShade);
        table->cellAt(0, 0).setFormat(shaded);
        table->cellAt(0, 0).firstCursorPosition().insertText(t.caption, textFormat(11, true));
        for (int c = 0; c < columns; ++c)
            table->cellAt(1, c).firstCursorPosition().insertText(t.headings[c], textFormat(9, true));
        for (int r = 0; r < static_cast<int>(t.rows.size()); ++r) {
            const QStringList& row = t.rows[static_cast<std::size_t>(r)];
            for (int c = 0; c < columns && c < row.size(); ++c)
                table->cellAt(r + 2, c).firstCursorPosition().insertText(row[c], textFormat(9));
        }
        cursor_.movePosition(QTextCursor::End);
    }

    // A picture the width of the page at most, under its caption.
    void picture(QTextDocument& document, const QString& name, const QString& caption, const QImage& image) {
        if (!caption.isEmpty()) paragraph(caption, true, 11);
        const QUrl url(QStringLiteral("report:") + name);
        document.addResource(QTextDocument::ImageResource, url, image);
        QTextBlockFormat block;
        block.setBottomMargin(24);
        newBlock(block);
        QTextImageFormat format;
        format.setName(url.toString());
        // The document measures pictures in pixels of a 96 dpi screen and
        // scales them to the writer's resolution; the page's width at most.
        const double width = std::min<double>(image.width(), pageWidth_) * kScreenDotsPerInch / kDotsPerInch;
        format.setWidth(width);
        format.setHeight(image.height() * width / std::max(1, image.width()));
        cursor_.insertImage(format);
    }

private:
    void newBlock(const QTextBlockFormat& format) {
        if (first_) {
            cursor_.setBlockFormat(format);
            first_ = false;
        } else {
            cursor_.insertBlock(format);
        }
    }

    QTextCursor cursor_;
    double pageWidth_;
    bool first_ = true;
};

void fill(QTextDocument& document, double pageWidth, const Report& report, const Pictures& pictures) {
    Writer w(document, pageWidth);
    w.heading(report.title, false);
    w.paragraph(QStringLiteral("Service report, made %1").arg(report.madeAt), true, 11);
    w.pairs(report.unitRows);
    if (!report.note.isEmpty()) {
        w.paragraph(QStringLiteral("Note"), true, 11);
        for (const QString& line : report.note.split(QLatin1Char('\n'))) w.paragraph(line);
    }

    w.heading(QStringLiteral("Changes during the visit"), false);
    for (const QString& line : report.changeNotes) w.paragraph(line);
    if (!report.changes.rows.empty()) w.table(report.changes, {12, 42, 23, 23});

    w.heading(QStringLiteral("Settings as left"), true);
    if (!report.settingsNote.isEmpty()) w.paragraph(report.settingsNote);
    for (const Table& t : report.settings) w.table(t, {12, 58, 30});

    w.heading(QStringLiteral("Live values"), true);
    w.table(report.live, {12, 58, 30});

    if (!pictures.overview.isNull()) {
        w.heading(QStringLiteral("Overview"), true);
        w.picture(document, QStringLiteral("overview"), QString(), pictures.overview);
    }
    w.heading(QStringLiteral("Graphs"), true);
    for (std::size_t i = 0; i < pictures.graphs.size(); ++i)
        w.picture(document, QStringLiteral("graph%1").arg(i), pictures.graphs[i].first,
                  pictures.graphs[i].second);
    if (!pictures.trend.isNull()) {
        w.heading(QStringLiteral("Trend"), true);
        w.picture(document, QStringLiteral("trend"), QString(), pictures.trend);
    }
}

}  // namespace

QByteArray reportPdf(const Report& report, const Pictures& pictures) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kDotsPerInch);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 12, 15, 8), QPageLayout::Millimeter));
        pdf.setCreator(report.title);
        pdf.setTitle(QStringLiteral("Service report %1").arg(report.madeAt));

        const QRect paintRect = pdf.pageLayout().paintRectPixels(kDotsPerInch);
        const double width = paintRect.width();
        const double height = paintRect.height() - dots(kFooterMillimetres);

        QTextDocument document;
        document.documentLayout()->setPaintDevice(&pdf);
        document.setDocumentMargin(0);
        document.setPageSize(QSizeF(width, height));
        fill(document, width, report, pictures);
        const int pageCount = document.pageCount();

        QPainter painter;
        if (!painter.begin(&pdf)) return {};
        // Pictures go into the file as they are, never as JPEG.
        painter.setRenderHint(QPainter::LosslessImageRendering);
        QFont footerFont(QStringLiteral("Liberation Sans"));
        footerFont.setPointSizeF(9);
        for (int page = 0; page < pageCount; ++page) {
            if (page > 0) pdf.newPage();
            painter.save();
            const QRectF clip(0, page * height, width, height);
            painter.translate(0, -clip.top());
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = clip;
            painter.setClipRect(clip);
            document.documentLayout()->draw(&painter, context);
            painter.restore();
            painter.setFont(footerFont);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(0, height, width, dots(kFooterMillimetres)), Qt::AlignCenter,
                             QStringLiteral("Page %1 of %2").arg(page + 1).arg(pageCount));
        }
        painter.end();
    }
    return bytes;
}

}  // namespace bxl::report
