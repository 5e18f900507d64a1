#include "ui/main/PageControl.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QResizeEvent>
#include <QStackedWidget>

namespace bxl::ui {

namespace {
constexpr int kTabHeight = 18;
constexpr int kTabPadding = 10;
}  // namespace

PageControl::PageControl(QWidget* parent) : QWidget(parent) {
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    stack_ = new QStackedWidget(this);
    stack_->setFrameShape(QFrame::StyledPanel);
    connect(group_, &QButtonGroup::idClicked, this, &PageControl::setCurrentIndex);
}

void PageControl::addPage(QWidget* page, const QString& caption) {
    auto* tab = new QPushButton(caption, this);
    tab->setObjectName(page->objectName() + QStringLiteral("Tab"));
    tab->setCheckable(true);
    tab->setFocusPolicy(Qt::NoFocus);
    tab->setAttribute(Qt::WA_Hover);
    const int id = static_cast<int>(tabs_.size());
    group_->addButton(tab, id);
    tabs_.push_back(tab);
    stack_->addWidget(page);
    if (id == 0) tab->setChecked(true);
    layoutTabs();
}

int PageControl::count() const {
    return stack_->count();
}
int PageControl::currentIndex() const {
    return stack_->currentIndex();
}
QWidget* PageControl::widget(int index) const {
    return stack_->widget(index);
}
QWidget* PageControl::currentWidget() const {
    return stack_->currentWidget();
}

void PageControl::setCurrentIndex(int index) {
    if (index < 0 || index >= count() || index == currentIndex()) return;
    // A page being hidden hands its focus on to the next widget that can take
    // it, which is a widget of the new page. The focus moves to the page
    // control first, so that no widget of either page gains it by the change.
    QWidget* focus = window()->focusWidget();
    if (focus != nullptr && stack_->isAncestorOf(focus)) setFocus(Qt::OtherFocusReason);
    tabs_[static_cast<std::size_t>(index)]->setChecked(true);
    stack_->setCurrentIndex(index);
    emit currentChanged(index);
}

void PageControl::resizeEvent(QResizeEvent*) {
    layoutTabs();
}

void PageControl::layoutTabs() {
    // Ragged right: tabs fill a row from the left and wrap to the next row.
    int x = 0;
    int y = 0;
    for (QPushButton* tab : tabs_) {
        const int w = tab->fontMetrics().horizontalAdvance(tab->text()) + 2 * kTabPadding;
        if (x > 0 && x + w > width()) {
            x = 0;
            y += kTabHeight;
        }
        tab->setGeometry(x, y, w, kTabHeight);
        x += w;
    }
    tabAreaHeight_ = tabs_.empty() ? 0 : y + kTabHeight;
    stack_->setGeometry(0, tabAreaHeight_, width(), height() - tabAreaHeight_);
}

}  // namespace bxl::ui
