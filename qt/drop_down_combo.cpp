#include "qt/drop_down_combo.h"

#include <QAbstractItemView>
#include <QStyledItemDelegate>

#include <algorithm>

namespace tessorin::qt {
namespace {

// List items as tall as the combo says, whatever the style would make them.
class FixedHeightItems final : public QStyledItemDelegate {
public:
    explicit FixedHeightItems(DropDownCombo& combo) : QStyledItemDelegate(&combo), combo_(combo) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), combo_.itemHeight()};
    }

private:
    const DropDownCombo& combo_;
};

}  // namespace

DropDownCombo::DropDownCombo(int itemHeight, QWidget* parent) : QComboBox(parent), itemHeight_(itemHeight) {
    setEditable(true);
    // What the operator types stays in the field; the list holds the INI's entries only.
    setInsertPolicy(QComboBox::NoInsert);
    setItemDelegate(new FixedHeightItems(*this));
}

void DropDownCombo::place(int left, int top, int width, int openListHeight) {
    setGeometry(left, top, width, sizeHint().height());
    openListHeight_ = openListHeight;
    fitListToHeight();
}

void DropDownCombo::setItemHeight(int pixels) {
    itemHeight_ = pixels;
    view()->doItemsLayout();
    fitListToHeight();
}

void DropDownCombo::fitListToHeight() {
    const int listHeight = openListHeight_ - height();
    setMaxVisibleItems(std::max(1, itemHeight_ > 0 ? listHeight / itemHeight_ : 1));
}

}  // namespace tessorin::qt
