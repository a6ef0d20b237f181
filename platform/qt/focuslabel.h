#pragma once
// The widget of labels and images: a QLabel that, while it has the focus (only a label or image
// used as a link takes it), draws the style's focus rectangle around its text or its picture, as
// buttons and check boxes show theirs.
#include <QLabel>

namespace qtui {

class FocusLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace qtui
