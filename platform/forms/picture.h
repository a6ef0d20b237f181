#pragma once
// The picture box: a container and a drawing surface that keeps what was drawn as a display list
// (the backend paints the list; it persists until Cls). Paint runs when the form is shown, on
// Refresh, and when the backend asks (input::Paint).
#include <string>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/surface.h"

namespace forms {

class PictureBox : public Widget<PictureBox>, public Surface {
public:
    PictureBox(Form& form, std::string name, int index = -1);
    PictureBox(Control& container, std::string name, int index = -1);

    // Inner size: the outer size less a 2-pixel border on each side when BorderStyle is 1.
    Single ScaleWidth() const;
    Single ScaleHeight() const;
    Integer BorderStyle() const { return borderStyle_; }
    PictureBox& BorderStyle(Integer v);
    const std::string& Picture() const { return picture_; }
    PictureBox& Picture(std::string path);
    bool AutoRedraw() const { return autoRedraw_; }
    PictureBox& AutoRedraw(bool v) { autoRedraw_ = v; return *this; }

    // Clears the display list and puts the pen at scale (0, 0).
    void Cls();
    const std::vector<DrawOp>& DisplayList() const { return ops_; }

    Event Paint;

protected:
    const FontMetrics& SurfaceMetrics() const override;
    const forms::Font& SurfaceFont() const override { return font_; }
    Long SurfaceColor() const override { return foreColor_; }
    void Emit(DrawOp op) override;

private:
    void OnVisibleChanged() override;
    std::vector<DrawOp> ops_;
    std::string picture_;
    Integer borderStyle_ = vbFixedSingle;
    bool autoRedraw_ = false;
};

}  // namespace forms
