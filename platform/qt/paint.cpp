#include "platform/qt/paint.h"

#include <QFontMetricsF>

#include "platform/qt/convert.h"

namespace qtui {

void PaintOps(QPainter& painter, const std::vector<forms::DrawOp>& ops, const PaintTarget& target) {
    const double k = target.pixelsPerTwip;
    painter.save();
    for (const forms::DrawOp& op : ops) {
        QColor color = target.paper ? ToPrintColor(op.color) : ToQColor(op.color);
        switch (op.kind) {
        case forms::DrawOp::Kind::Text: {
            QFont font = ToQFont(op.font);
            painter.setFont(font);
            painter.setPen(color);
            QFontMetricsF fm(painter.font(), painter.device());
            painter.drawText(QPointF(op.x1 * k, op.y1 * k + fm.ascent()), ToQ(op.text));
            break;
        }
        case forms::DrawOp::Kind::Line: {
            QPen pen(color);
            pen.setWidthF(std::max(1, op.width) * target.penScale);
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            painter.drawLine(QPointF(op.x1 * k, op.y1 * k), QPointF(op.x2 * k, op.y2 * k));
            break;
        }
        case forms::DrawOp::Kind::Box:
        case forms::DrawOp::Kind::FilledBox: {
            QRectF r = QRectF(QPointF(op.x1 * k, op.y1 * k), QPointF(op.x2 * k, op.y2 * k)).normalized();
            if (op.kind == forms::DrawOp::Kind::FilledBox) {
                painter.fillRect(r, color);
            } else {
                QPen pen(color);
                pen.setWidthF(std::max(1, op.width) * target.penScale);
                pen.setJoinStyle(Qt::MiterJoin);
                painter.setPen(pen);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(r);
            }
            break;
        }
        }
    }
    painter.restore();
}

}  // namespace qtui
