#include "ui/main/PortGroup.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

#include "ui/common/UiCommon.h"
#include "ui/common/UpDown.h"
#include "ui/main/ReceiveProgress.h"

namespace bxl::ui {

namespace {
const QColor kTeal(0, 128, 128);
}  // namespace

PortGroup::PortGroup(QWidget* window) : QGroupBox(QStringLiteral("Communication port"), window) {
    setObjectName(QStringLiteral("GroupBox1"));
    setGeometry(8, 8, 281, 49);

    numberEdit_ = new QLineEdit(this);
    numberEdit_->setObjectName(QStringLiteral("EditComNr"));
    numberEdit_->setGeometry(8, 16, 25, 21);
    numberEdit_->setReadOnly(true);

    spinner_ = new UpDown(1, 16, 1, this);
    spinner_->setObjectName(QStringLiteral("UpDown1"));
    spinner_->setGeometry(33, 16, 16, 21);

    stateLabel_ = new QLabel(QStringLiteral("Closed"), this);
    stateLabel_->setObjectName(QStringLiteral("LabelComOpen"));
    stateLabel_->setGeometry(56, 16, 70, 22);
    QFont big = windowFont();
    big.setPixelSize(kPx14pt);
    stateLabel_->setFont(big);
    setTextColour(stateLabel_, kTeal);

    auto* receivingLabel = new QLabel(QStringLiteral("Receiving"), this);
    receivingLabel->setObjectName(QStringLiteral("Label7"));
    receivingLabel->setGeometry(128, 8, 80, 14);
    setTextColour(receivingLabel, kTeal);
    // The caption sits where the group frame may run (it depends on the
    // style): on its own background, the way a group's title interrupts it.
    receivingLabel->setAutoFillBackground(true);
    receivingLabel->resize(receivingLabel->sizeHint().width() + 2, 14);

    receiveProgress_ = new ReceiveProgress(this);

    // The reason sits right of "Receiving", over the progress bar's right
    // end, where the frame has room; it is empty while the port is open.
    reasonLabel_ = new QLabel(this);
    reasonLabel_->setObjectName(QStringLiteral("portReason"));
    const int left = receivingLabel->geometry().right() + 4;
    reasonLabel_->setGeometry(left, 8, 273 - left, 14);
    reasonLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextColour(reasonLabel_, QColor(192, 0, 0));
    reasonLabel_->hide();

    for (QLabel* label : {stateLabel_, reasonLabel_}) {
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
    }
}

bool PortGroup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        (watched == stateLabel_ || watched == reasonLabel_)) {
        emit portDialogRequested();
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}

void PortGroup::showReason(const QString& words, const QString& sentence) {
    if (reasonLabel_->text() != words) reasonLabel_->setText(words);
    if (reasonLabel_->toolTip() != sentence) reasonLabel_->setToolTip(sentence);
    reasonLabel_->setVisible(!words.isEmpty());
}

int PortGroup::portNumber() const {
    return spinner_->position();
}

void PortGroup::start() {
    spinner_->setAssociate(numberEdit_);
}

void PortGroup::paintEvent(QPaintEvent* /*event*/) {
    const qreal ratio = devicePixelRatioF();
    if (frame_.isNull() || frame_.size() != size() * ratio || frame_.devicePixelRatio() != ratio) {
        frame_ = QPixmap(size() * ratio);
        frame_.setDevicePixelRatio(ratio);
        frame_.fill(Qt::transparent);
        QStylePainter painter(&frame_, this);
        // What a painter on the widget itself starts with.
        painter.setFont(font());
        painter.setPen(palette().color(foregroundRole()));
        painter.setLayoutDirection(layoutDirection());
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_GroupBox, option);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, frame_);
}

void PortGroup::changeEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::StyleChange:
        case QEvent::PaletteChange:
        case QEvent::FontChange:
        case QEvent::EnabledChange:
        case QEvent::ActivationChange:
            frame_ = QPixmap();
            break;
        default:
            break;
    }
    QGroupBox::changeEvent(event);
}

void PortGroup::showOpen(bool open) {
    stateLabel_->setText(open ? QStringLiteral("Open") : QStringLiteral("Closed"));
}

void PortGroup::showNote(const QString& note) {
    if (stateLabel_->toolTip() != note) stateLabel_->setToolTip(note);
}

void PortGroup::showReceiveCount(int count) {
    receiveProgress_->show(count);
}

}  // namespace bxl::ui
