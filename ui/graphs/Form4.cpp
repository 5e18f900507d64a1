#include "ui/graphs/Form4.h"

#include <QFrame>
#include <QHideEvent>
#include <QPainter>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>
#include <algorithm>

#include "ui/common/UiCommon.h"
#include "ui/graphs/Graphs.h"

namespace bxl::graphs {

// Shows the graph image at its own pixels. On a screen with more than one
// device pixel to a pixel of the window, each pixel of the graph becomes a
// square of whole device pixels (as many as fit), so lines and text stay
// crisp; what is left over at a fractional ratio is shared out as a margin
// around the graph.
class GraphImageView : public QWidget {
public:
    explicit GraphImageView(QWidget* parent) : QWidget(parent) {}
    void setCanvas(const Canvas* canvas) {
        canvas_ = canvas;
        update();
    }

    // Device pixels per graph pixel for a view of `viewSize` device pixels.
    static int wholeFactor(QSize viewSize, QSize imageSize) {
        if (imageSize.isEmpty()) return 1;
        return std::max(
            1, std::min(viewSize.width() / imageSize.width(), viewSize.height() / imageSize.height()));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (canvas_ == nullptr) return;
        QPainter p(this);
        const qreal ratio = p.device()->devicePixelRatioF();
        const QImage& image = canvas_->image();
        const QSize view(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
        const int factor = wholeFactor(view, image.size());
        QImage shown =
            factor == 1 ? image
                        : image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        shown.setDevicePixelRatio(ratio);
        // Centred on whole device pixels.
        const QPoint offset((view.width() - shown.width()) / 2, (view.height() - shown.height()) / 2);
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p.drawImage(QPointF(offset) / ratio, shown);
    }

private:
    const Canvas* canvas_ = nullptr;
};

}  // namespace bxl::graphs

namespace {
// The tab strip and its client area, in window coordinates.
constexpr int kTabLeft = 8;
constexpr int kTabTop = 8;
constexpr int kTabWidth = 721;
constexpr int kTabHeight = 481;
constexpr int kStripHeight = 21;
}  // namespace

TForm4::TForm4(const bxl::ValueStore& store, QWidget* parent) : QWidget(parent), store_(store) {
    setObjectName(QStringLiteral("Form4"));
    // Outer size 754 x 537: the client area of a fixed window with a caption.
    bxl::ui::setupFixedWindow(this, QStringLiteral("Graph's"), 738, 498, 953, 305);
    bxl::ui::setBackground(this, bxl::ui::faceColour());

    // The client area the four tabs share, drawn as a raised page under the strip.
    auto* page = new QFrame(this);
    page->setObjectName(QStringLiteral("TabControl1Page"));
    page->setFrameStyle(QFrame::Panel | QFrame::Raised);
    page->setGeometry(kTabLeft, kTabTop + kStripHeight - 1, kTabWidth, kTabHeight - kStripHeight + 1);

    graphTabs_ = new QTabBar(this);
    graphTabs_->setObjectName(QStringLiteral("TabControl1"));
    graphTabs_->setDrawBase(false);
    graphTabs_->setExpanding(false);
    for (const char* caption : bxl::graphs::kGraphTabCaptions)
        graphTabs_->addTab(QString::fromLatin1(caption));
    graphTabs_->setCurrentIndex(0);
    graphTabs_->setGeometry(kTabLeft, kTabTop, kTabWidth, kStripHeight);

    graphView_ = new bxl::graphs::GraphImageView(this);
    graphView_->setObjectName(QStringLiteral("Image1"));
    graphView_->setGeometry(kTabLeft + 8, kTabTop + 24, bxl::graphs::kGraphWidth, bxl::graphs::kGraphHeight);

    redrawTimer_ = new QTimer(this);
    redrawTimer_->setObjectName(QStringLiteral("Timer1"));
    redrawTimer_->setInterval(2000);
    connect(redrawTimer_, &QTimer::timeout, this, &TForm4::Timer1Timer);
    connect(graphTabs_, &QTabBar::currentChanged, this, [this](int) { TabControl1Change(); });
}

TForm4::~TForm4() = default;

void TForm4::selectTab(int index) {
    const QSignalBlocker block(graphTabs_);
    graphTabs_->setCurrentIndex(index);
}

int TForm4::selectedTab() const {
    return graphTabs_->currentIndex();
}

const QImage* TForm4::graphImage() const {
    return canvas_ ? &canvas_->image() : nullptr;
}

void TForm4::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Restoring a minimised window is not a new show.
    if (!event->spontaneous()) FormShow();
}

void TForm4::FormShow() {
    if (!canvas_) {
        canvas_ = std::make_unique<bxl::graphs::Canvas>(bxl::graphs::kGraphWidth, bxl::graphs::kGraphHeight,
                                                        bxl::ui::faceColour().rgb());
        canvas_->setBrush(canvas_->faceColour());
        canvas_->fillRect(0, 0, bxl::graphs::kGraphWidth, bxl::graphs::kGraphHeight);
        graphView_->setCanvas(canvas_.get());
    }
    TabControl1Change();
}

void TForm4::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A hidden window draws nothing, so its timer has nothing to do.
    if (!event->spontaneous()) redrawTimer_->stop();
}

void TForm4::TabControl1Change() {
    redrawTimer_->stop();
    RedrawSelectedGraph();
    if (isVisible()) redrawTimer_->start();
}

void TForm4::Timer1Timer() {
    RedrawSelectedGraph();
}

void TForm4::RedrawSelectedGraph() {
    if (!isVisible() || !canvas_) return;
    bxl::graphs::DrawGraphForTab(*canvas_, store_, selectedTab());
    graphView_->update();
}
