#include "ui/overview/Form2.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <algorithm>

#include "ui/common/UiCommon.h"

namespace {

using bxl::overview::kPanelCount;

const QColor kTeal(0, 128, 128);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);

struct Pos {
    int left, top;
};
constexpr Pos kNone{-1, -1};
using Row = std::array<Pos, kPanelCount>;

// Positions inside the panels, in panel order WWLi, WWRe, Recup1, Recup2,
// Marvek1, Marvek2. A few were moved from the first layout of the panels so
// that each value is beside what it measures and no two labels touch with
// their longest texts: T7 on the heat wheel panels (1 pixel up, clear of T6), the
// exhaust damper indicator of the first heat wheel panel (below T4), the
// supply filter pressure of three exchanger panels (beside the fine filter)
// and the cooling coil percentage of the supply-side bypass panels (on the
// far side of the cooling coil, away from the heating coil's).
constexpr std::array<Row, 7> kT{{
    {{{204, 289}, {598, 286}, {227, 102}, {563, 118}, {202, 120}, {609, 116}}},
    {{{327, 288}, {476, 283}, {293, 321}, {496, 336}, {523, 275}, {287, 278}}},
    {{{329, 152}, {468, 154}, {241, 321}, {547, 336}, {220, 275}, {589, 280}}},
    {{{163, 126}, {644, 123}, {296, 102}, {480, 118}, {533, 142}, {287, 147}}},
    {{{664, 294}, {136, 294}, {656, 278}, {140, 289}, {658, 280}, {158, 289}}},
    {{{710, 233}, {24, 238}, {696, 230}, {20, 241}, {698, 232}, {38, 233}}},
    {{{756, 218}, {64, 223}, {752, 214}, {68, 225}, {746, 216}, {86, 217}}},
}};
constexpr Row kToeM3{{{736, 288}, {16, 288}, {736, 281}, {9, 289}, {739, 281}, {9, 289}}};
constexpr Row kAfM3{{{736, 169}, {16, 163}, {736, 165}, {9, 169}, {738, 166}, {9, 161}}};
constexpr Row kToePerc{{{472, 299}, {330, 298}, {495, 288}, {296, 296}, {467, 291}, {339, 293}}};
constexpr Row kAfPerc{{{456, 136}, {344, 136}, {494, 127}, {297, 131}, {466, 129}, {339, 131}}};
constexpr Row kHeatWheel{{{280, 221}, {522, 220}, kNone, kNone, kNone, kNone}};
constexpr Row kBypass{{kNone, kNone, {359, 74}, {431, 74}, {235, 79}, {573, 80}}};
constexpr Row kVerwKlep{{{347, 319}, {456, 316}, {400, 310}, {400, 302}, {546, 312}, {259, 315}}};
constexpr Row kKoelKlep{{{602, 328}, {200, 328}, {592, 310}, {202, 315}, {634, 312}, {177, 315}}};
constexpr Row kVorst{{{56, 416}, {712, 408}, {24, 120}, {712, 118}, {17, 129}, {730, 110}}};
constexpr Row kVorstT2{{{344, 344}, {456, 336}, {400, 334}, {400, 326}, {546, 334}, {259, 336}}};
constexpr Row kFire{{{440, 29}, {328, 21}, {448, 13}, {288, 23}, {384, 31}, {296, 23}}};
constexpr Row kRecupFrost{{kNone, kNone, {258, 205}, {506, 213}, {322, 213}, {474, 213}}};
constexpr Row kPSupply{{{176, 251}, {624, 244}, {192, 86}, {638, 80}, {193, 104}, {640, 44}}};
constexpr Row kPExhaust{{{624, 83}, {136, 78}, {192, 254}, {608, 248}, {174, 257}, {642, 240}}};
constexpr Row kAfVoerKlep{{{201, 144}, {598, 133}, kNone, kNone, kNone, kNone}};
constexpr Row kToeVoerKlep{{{149, 299}, {650, 293}, {133, 116}, {653, 124}, {140, 124}, {672, 124}}};
constexpr Row kWWRun{{{263, 336}, {539, 328}, kNone, kNone, kNone, kNone}};

// The pressure labels carry numbers of their own rather than the panel suffix.
constexpr std::array<int, kPanelCount> kPressureNumber{4, 2, 3, 1, 5, 6};

constexpr std::array<const char*, kPanelCount> kPanelNames{"PanelWWLi",   "PanelWWRe",    "PanelRecup1",
                                                           "PanelRecup2", "PanelMarvek1", "PanelMarvek2"};
constexpr std::array<const char*, kPanelCount> kSuffix{"", "_2", "_3", "_4", "_5", "_6"};

struct ImageGeometry {
    int left, top, width, height;
    const char* resource;
};
constexpr std::array<ImageGeometry, kPanelCount> kImages{{
    {8, 32, 817, 457, ":/overview/heatwheel-left.svg"},
    {8, 32, 800, 441, ":/overview/heatwheel-right.svg"},
    {8, 32, 801, 393, ":/overview/exchanger-exhaust-bypass-left.svg"},
    {8, 32, 801, 393, ":/overview/exchanger-exhaust-bypass-right.svg"},
    {10, 32, 801, 393, ":/overview/exchanger-supply-bypass-left.svg"},
    {10, 32, 823, 393, ":/overview/exchanger-supply-bypass-right.svg"},
}};

// The picture at its own size, drawn with as many device pixels as the
// screen has for each of its pixels, so it stays sharp at a scale factor.
QPixmap renderPicture(const ImageGeometry& g, qreal ratio) {
    QPixmap pm(QSize(g.width, g.height) * ratio);
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::white);
    QSvgRenderer svg(QString::fromLatin1(g.resource));
    if (svg.isValid()) {
        // Unscaled from the top-left corner; whatever lies outside is clipped.
        QPainter p(&pm);
        const QSize native = svg.defaultSize();
        svg.render(&p, QRectF(0, 0, native.width(), native.height()));
    }
    return pm;
}

QLabel* makeLabel(QWidget* parent, const QString& name, Pos pos, int w, int h, const QString& text,
                  const QFont& font, const QColor& colour) {
    if (pos.left < 0) return nullptr;
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(font);
    bxl::ui::setBackground(l, Qt::white);
    bxl::ui::setTextColour(l, colour);
    // The given size, grown where the font would otherwise cut the text off.
    const QSize hint = l->sizeHint();
    l->setGeometry(pos.left, pos.top, std::max(w, hint.width()), std::max(h, hint.height()));
    return l;
}

bxl::ui::CircleShape* makeShape(QWidget* parent, const QString& name, Pos pos, int w, int h) {
    if (pos.left < 0) return nullptr;
    auto* s = new bxl::ui::CircleShape(parent);
    s->setObjectName(name);
    s->setGeometry(pos.left, pos.top, w, h);
    s->hide();
    return s;
}

}  // namespace

namespace bxl::ui {

SensorTag::SensorTag(const QString& name, QLabel* value, QWidget* parent)
    : QWidget(parent), name_(name), value_(value) {
    setGeometry(value->x(), value->y() - 15, 21, 14);
    setVisible(!value->isHidden());
    value->installEventFilter(this);
}

bool SensorTag::eventFilter(QObject* watched, QEvent* event) {
    if (watched == value_ && event->type() == QEvent::ShowToParent) show();
    if (watched == value_ && event->type() == QEvent::HideToParent) hide();
    return false;
}

void SensorTag::paintEvent(QPaintEvent*) {
    // Drawn like the tags of the other sensors in the pictures.
    const QColor ink(0x37, 0x47, 0x4f);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    QFont f = arialFont(10, true);
    p.setFont(f);
    p.drawText(rect(), Qt::AlignCenter, name_);
}

CircleShape::CircleShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void CircleShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kGreen, 1));
    p.setBrush(kGreen);
    p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace bxl::ui

TForm2::TForm2(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form2"));
    bxl::ui::setupFixedWindow(this, QStringLiteral("Overview"), 901, 579, 567, 26);
    // Only the close box: no minimise or maximise.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    bxl::ui::setBackground(this, bxl::ui::faceColour());

    flipButton_ = new QPushButton(QStringLiteral("Left <-> Right"), this);
    flipButton_->setObjectName(QStringLiteral("BitBtnLiRe"));
    flipButton_->setGeometry(24, 0, 145, 33);
    connect(flipButton_, &QPushButton::clicked, this, [this] { BitBtnLiReClick(); });

    const QFont valueFont = bxl::ui::arialFont(bxl::ui::kPx10pt, true);
    const QFont warningFont = bxl::ui::arialFont(bxl::ui::kPx16pt, true);
    const QString xxx = QStringLiteral("XXX");

    for (int i = 0; i < kPanelCount; ++i) {
        OverviewPanel& op = panels_[static_cast<std::size_t>(i)];
        const QString sfx = QString::fromLatin1(kSuffix[i]);
        auto* panel = new QWidget(this);
        panel->setObjectName(QString::fromLatin1(kPanelNames[i]));
        panel->setGeometry(32, 40, 840, 515);
        bxl::ui::setBackground(panel, Qt::white);
        bxl::ui::setTextColour(panel, Qt::black);
        panel->setVisible(bxl::overview::kInitialPanels[i]);
        op.panel = panel;

        const ImageGeometry& g = kImages[i];
        op.image = new QLabel(panel);
        op.image->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        op.image->setGeometry(g.left, g.top, g.width, g.height);
        op.image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        op.image->setPixmap(renderPicture(g, devicePixelRatioF()));

        // Shapes first, so the value labels stay readable above an indicator.
        op.exhaustDamper = makeShape(panel, QStringLiteral("ShapeAfVoerKlep") + sfx, kAfVoerKlep[i], 30, 30);
        const bool wheel = bxl::overview::isHeatWheelPanel(i);
        op.supplyDamper = makeShape(panel, QStringLiteral("ShapeToeVoerKlep") + sfx, kToeVoerKlep[i],
                                    wheel ? 30 : 31, wheel ? 30 : 29);
        op.wheelRunning = makeShape(panel, QStringLiteral("ShapeWWRun") + sfx, kWWRun[i], 27, 27);

        auto value = [&](const char* base, const Row& row) {
            return makeLabel(panel, QString::fromLatin1(base) + sfx, row[i], 28, 16, xxx, valueFont, kTeal);
        };
        for (int t = 0; t < 7; ++t)
            op.t[static_cast<std::size_t>(t)] =
                value(("LabelT" + std::to_string(t + 1)).c_str(), kT[static_cast<std::size_t>(t)]);
        op.supplyFlow = value("LabelToeM3", kToeM3);
        op.exhaustFlow = value("LabelAfM3", kAfM3);
        op.supplyFan = value("LabelToePerc", kToePerc);
        op.exhaustFan = value("LabelAfPerc", kAfPerc);
        op.heatWheel = value("LabelHeatWheel", kHeatWheel);
        op.bypass = value("LabelBypass", kBypass);
        op.heatingCoil = value("LabelVerwKlep", kVerwKlep);
        op.coolingCoil = value("LabelKoelKlep", kKoelKlep);
        op.frost = value("LabelVorst", kVorst);
        op.frostT2 = value("LabelVorstT2", kVorstT2);
        const QString n = QString::number(kPressureNumber[static_cast<std::size_t>(i)]);
        op.supplyFilter =
            makeLabel(panel, QStringLiteral("LabelPSupply_") + n, kPSupply[i], 28, 16, xxx, valueFont, kTeal);
        op.exhaustFilter = makeLabel(panel, QStringLiteral("LabelPExhaust_") + n, kPExhaust[i], 28, 16, xxx,
                                     valueFont, kTeal);
        op.fire =
            makeLabel(panel, QStringLiteral("LabelFIRE") + sfx, kFire[i], 46, 24, xxx, warningFont, kRed);
        op.exchangerFrost = makeLabel(panel, QStringLiteral("LabelRecupFrost") + sfx, kRecupFrost[i], 48, 24,
                                      QStringLiteral("Frost"), warningFont, kRed);
        if (op.exchangerFrost) op.exchangerFrost->hide();
        for (std::size_t k = 0; k < op.sensorTags.size(); ++k) {
            const QString sensor = QStringLiteral("T%1").arg(6 + k);
            op.sensorTags[k] = new bxl::ui::SensorTag(sensor, op.t[5 + k], panel);
            op.sensorTags[k]->setObjectName(QStringLiteral("Tag") + sensor + sfx);
        }
    }
}

bxl::overview::PanelVisibility TForm2::panelVisibility() const {
    bxl::overview::PanelVisibility v{};
    for (int i = 0; i < kPanelCount; ++i) v[i] = !panels_[static_cast<std::size_t>(i)].panel->isHidden();
    return v;
}

void TForm2::applyPanelVisibility(const bxl::overview::PanelVisibility& v) {
    for (int i = 0; i < kPanelCount; ++i) panels_[static_cast<std::size_t>(i)].panel->setVisible(v[i]);
}

void TForm2::toggleAndSelect(const bxl::ValueStore& store) {
    bxl::overview::PanelVisibility v = panelVisibility();
    const bool shown = bxl::overview::toggleAndSelect(isVisible(), v, store.current(bxl::kHeatExchanger),
                                                      store.current(bxl::kBypassPosition));
    if (!shown) {
        hide();
        return;
    }
    applyPanelVisibility(v);
    show();
}

void TForm2::BitBtnLiReClick() {
    bxl::overview::PanelVisibility v = panelVisibility();
    bxl::overview::flip(v);
    applyPanelVisibility(v);
}

QImage TForm2::panelPicture(const bxl::ValueStore& store, qreal scale) {
    bxl::overview::PanelVisibility v = panelVisibility();
    bxl::overview::toggleAndSelect(false, v, store.current(bxl::kHeatExchanger),
                                   store.current(bxl::kBypassPosition));
    const auto shown = std::find(v.begin(), v.end(), true);
    if (shown == v.end()) return {};
    const auto p = static_cast<std::size_t>(shown - v.begin());
    const OverviewPanel& op = panels_[p];

    // The schematic drawn anew at the picture's scale, so it stays sharp.
    op.image->setPixmap(renderPicture(kImages[p], scale));
    QImage image(op.panel->size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    op.panel->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    op.image->setPixmap(renderPicture(kImages[p], devicePixelRatioF()));
    image.setDevicePixelRatio(1);
    return image.convertToFormat(QImage::Format_RGB32);
}
