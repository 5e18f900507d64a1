// Tab pages with button-style tabs in several rows (the main window's
// "PageControl1"), so that all twenty menu pages are in view at once; the
// pages share one client area below the tabs.
// The tabs never take the focus; a page change leaves the focus on the page
// control, from where Tab leads into the new page.
#pragma once

#include <QWidget>
#include <vector>

class QButtonGroup;
class QPushButton;
class QStackedWidget;

namespace bxl::ui {

class PageControl : public QWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    void addPage(QWidget* page, const QString& caption);
    int count() const;
    int currentIndex() const;
    // Shows page `index` (as a click on its tab does) and emits currentChanged.
    void setCurrentIndex(int index);
    QWidget* widget(int index) const;
    QWidget* currentWidget() const;
    QPushButton* tabButton(int index) const { return tabs_.at(static_cast<std::size_t>(index)); }

    // Height of the tab rows above the page area.
    int tabAreaHeight() const { return tabAreaHeight_; }

signals:
    void currentChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutTabs();

    QButtonGroup* group_;
    QStackedWidget* stack_;
    std::vector<QPushButton*> tabs_;
    int tabAreaHeight_ = 0;
};

}  // namespace bxl::ui
