#include "platform/qt/focuslabel.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace qtui {

void FocusLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    QRect around = contentsRect();
    if (!text().isEmpty()) {
        const int flags = static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
        around = fontMetrics().boundingRect(around, flags, text()).adjusted(-2, -1, 2, 1) & rect();
    }
    option.rect = around;
    option.backgroundColor = palette().color(backgroundRole());
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

}  // namespace qtui
