#pragma once
// A static that shows a path too long for it with its middle left out, so both
// the start and the file name stay readable. text() keeps the whole path.
#include <QLabel>

namespace tessorin::qt {

class PathLabel final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tessorin::qt
