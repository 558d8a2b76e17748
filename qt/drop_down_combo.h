#pragma once
// A drop-down combo as the template knows it: an editable field above a list.
// Its rectangle's height is that of the open list; the field keeps the height
// its font gives it, and the list shows as many items as fit in the rest.
#include <QComboBox>

namespace tessorin::qt {

class DropDownCombo final : public QComboBox {
public:
    DropDownCombo(int itemHeight, QWidget* parent);

    // x, y and width of the field; the height is that of the open list.
    void place(int left, int top, int width, int openListHeight);
    int openListHeight() const { return openListHeight_; }
    void setItemHeight(int pixels);
    int itemHeight() const { return itemHeight_; }

private:
    void fitListToHeight();

    int openListHeight_ = 0;
    int itemHeight_;
};

}  // namespace tessorin::qt
