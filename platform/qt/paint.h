#pragma once
// Painting a drawing surface's display list (picture boxes on screen, printed pages on paper).
#include <QPainter>
#include <vector>

#include "platform/forms/surface.h"

namespace qtui {

struct PaintTarget {
    double pixelsPerTwip = 1.0 / 15;  // device pixels per twip
    double penScale = 1.0;            // device pixels per screen pixel, for line widths
    bool paper = false;               // system colours as the classic scheme, not the theme
};

// Paints the operations in order, with the painter's origin at the surface's top-left corner.
void PaintOps(QPainter& painter, const std::vector<forms::DrawOp>& ops, const PaintTarget& target);

}  // namespace qtui
