#include "ui/main/MenuPages.h"

#include <QLabel>
#include <QScrollArea>
#include <algorithm>

#include "model/ParamTable.h"
#include "ui/common/UiCommon.h"
#include "ui/main/PageControl.h"
#include "ui/main/ValueField.h"

namespace bxl::ui {

MenuPages::MenuPages(const ValueStore& store, BindingTable& bindings, QWidget* window)
    : store_(store), bindings_(bindings), pageControl_(new PageControl(window)) {
    pageControl_->setObjectName(QStringLiteral("PageControl1"));
    pageControl_->setGeometry(8, 192, 697, 417);
    for (std::size_t i = 0; i < kMenuPages.size(); ++i) {
        const MenuPage& menuPage = kMenuPages[i];
        auto* page = new QWidget;
        page->setObjectName(QString::fromLatin1(menuPage.tabName));
        auto* box = new QScrollArea(page);
        box->setObjectName(QString::fromLatin1(menuPage.scrollName));
        const bool lowered = menuPage.menu == 7 || menuPage.menu == 8;
        box->setGeometry(8, lowered ? 16 : 8, 641, lowered ? 321 : 329);
        box->setHorizontalScrollBarPolicy(menuPage.menu <= 3 ? Qt::ScrollBarAsNeeded
                                                             : Qt::ScrollBarAlwaysOff);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        box->setWidgetResizable(false);
        // Tab goes from field to field; the scroll box follows the focus.
        box->setFocusPolicy(Qt::NoFocus);
        auto* inner = new QWidget;
        inner->setObjectName(QString::fromLatin1(menuPage.scrollName) + QStringLiteral("Client"));
        inner->resize(620, 40);
        box->setWidget(inner);
        scrollBoxes_[i] = box;
        pageControl_->addPage(page, QString::fromLatin1(menuPage.caption));
    }
    QObject::connect(pageControl_, &PageControl::currentChanged, pageControl_,
                     [this](int page) { pageShown(page); });
}

int MenuPages::currentMenu() const {
    return kMenuPages[static_cast<std::size_t>(pageControl_->currentIndex())].menu;
}

void MenuPages::build() {
    bindings_.build();
    labels_.fill(nullptr);
    fields_.fill(nullptr);
    for (auto& onPage : pageBindings_) onPage.clear();
    pageBehind_.fill(false);
    std::array<int, kMenuPageCount> bottom{};
    QFont bold = windowFont();
    bold.setBold(true);
    for (int i = 0; i < bindings_.used(); ++i) {
        const Binding& binding = bindings_.at(i);
        QWidget* inner = scrollBoxes_[static_cast<std::size_t>(binding.page)]->widget();
        auto* label = new QLabel(toDisplayText(rowCaption(binding.row)), inner);
        label->setGeometry(5, binding.top, kCaptionWidth, 20);
        label->setObjectName(QStringLiteral("Caption%1").arg(i));
        auto* field = new ValueField(inner);
        field->setText(QStringLiteral("--"));
        field->setGeometry(300, binding.top, 200, 20);
        field->setReadOnly(true);
        field->setFont(bold);
        field->setFocusPolicy(Qt::StrongFocus);
        field->setObjectName(QStringLiteral("Value%1").arg(i));
        label->show();
        field->show();
        labels_[static_cast<std::size_t>(i)] = label;
        fields_[static_cast<std::size_t>(i)] = field;
        pageBindings_[static_cast<std::size_t>(binding.page)].push_back(i);
        int& pageBottom = bottom[static_cast<std::size_t>(binding.page)];
        pageBottom = std::max(pageBottom, binding.top + 20);
    }
    for (std::size_t p = 0; p < scrollBoxes_.size(); ++p)
        scrollBoxes_[p]->widget()->resize(620, std::max(bottom[p] + 10, 40));
}

void MenuPages::refreshBinding(int index) {
    if (index < 0 || index >= kBindingCount) return;
    const Binding& binding = bindings_.at(index);
    ValueField* field = fields_[static_cast<std::size_t>(index)];
    if (binding.valueIndex == -1 || field == nullptr) return;
    // Fields are only touched when their text or colour changes: every
    // process reply refreshes all of them.
    const QString text = toDisplayText(bindingText(store_, binding));
    if (field->text() != text) field->setText(text);
    const QColor colour = toQColor(bindingColour(store_, binding));
    if (textColour(field) != colour) setTextColour(field, colour);
}

void MenuPages::refreshAllBindings() {
    for (int i = 0; i < kBindingCount; ++i) refreshBinding(i);
    pageBehind_.fill(false);
}

void MenuPages::refreshBindingsInView() {
    // Every process reply comes here, several times a second: the pages out
    // of view only remember that they are behind.
    const int shown = pageControl_->currentIndex();
    for (int page = 0; page < kMenuPageCount; ++page) {
        if (page == shown) {
            refreshPage(page);
        } else {
            pageBehind_[static_cast<std::size_t>(page)] = true;
        }
    }
}

void MenuPages::refreshPage(int page) {
    for (int i : pageBindings_[static_cast<std::size_t>(page)]) refreshBinding(i);
    pageBehind_[static_cast<std::size_t>(page)] = false;
}

void MenuPages::pageShown(int page) {
    if (page >= 0 && page < kMenuPageCount && pageBehind_[static_cast<std::size_t>(page)]) refreshPage(page);
}

int MenuPages::findBindingByValueField(const QObject* field) const {
    if (field == nullptr) return -1;
    for (int i = 0; i < kBindingCount; ++i)
        if (fields_[static_cast<std::size_t>(i)] == field) return i;
    return -1;
}

}  // namespace bxl::ui
