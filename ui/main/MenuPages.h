// The twenty menu pages of the main window ("PageControl1", a "TabSheetN"
// page with its "ScrollBoxN" per menu) and the caption label and value field
// of every bound menu line on them, kept in arrays parallel to the
// control-binding table. Builds the lines once and refreshes their fields.
#pragma once

#include <array>
#include <vector>

#include "model/Bindings.h"
#include "model/ValueStore.h"

class QLabel;
class QObject;
class QScrollArea;
class QWidget;

namespace bxl::ui {

class PageControl;
class ValueField;

// A caption label reaches up to its value field (at left 300), so that the
// longest caption of the parameter table shows whole.
inline constexpr int kCaptionWidth = 295;

class MenuPages {
public:
    // The page control with its pages and empty scroll boxes, in `window`.
    MenuPages(const ValueStore& store, BindingTable& bindings, QWidget* window);

    PageControl* pageControl() const { return pageControl_; }
    // Menu number of the active page.
    int currentMenu() const;

    // Fills the binding table and puts a caption label and a value field for
    // each bound line on its page; the fields show "--" until refreshed.
    void build();

    // Text and font colour of the field of binding `index` from the store.
    void refreshBinding(int index);
    void refreshAllBindings();
    // The fields of the page in view now; the other pages' fields are
    // refreshed when their page comes into view, before it is drawn.
    void refreshBindingsInView();
    // The binding whose value field is `field`, or -1.
    int findBindingByValueField(const QObject* field) const;

    ValueField* valueField(int index) const { return fields_[static_cast<std::size_t>(index)]; }
    QLabel* captionLabel(int index) const { return labels_[static_cast<std::size_t>(index)]; }

private:
    void refreshPage(int page);
    void pageShown(int page);

    const ValueStore& store_;
    BindingTable& bindings_;
    PageControl* pageControl_;
    std::array<QScrollArea*, kMenuPageCount> scrollBoxes_{};
    std::array<QLabel*, kBindingCount> labels_{};
    std::array<ValueField*, kBindingCount> fields_{};
    // The bindings on each page, and the pages whose fields may be behind
    // the store.
    std::array<std::vector<int>, kMenuPageCount> pageBindings_{};
    std::array<bool, kMenuPageCount> pageBehind_{};
};

}  // namespace bxl::ui
