#include "platform/forms/picture.h"

#include <algorithm>

#include "platform/forms/detail.h"
#include "platform/forms/form.h"

namespace forms {

PictureBox::PictureBox(Form& form, std::string name, int index)
    : Widget(ControlKind::PictureBox, form, std::move(name), index) {}
PictureBox::PictureBox(Control& c, std::string name, int index)
    : Widget(ControlKind::PictureBox, c, std::move(name), index) {}

Single PictureBox::ScaleWidth() const {
    return std::max<Single>(0, width_ - (borderStyle_ == vbFixedSingle ? 4 * kTwipsPerPixel : 0));
}

Single PictureBox::ScaleHeight() const {
    return std::max<Single>(0, height_ - (borderStyle_ == vbFixedSingle ? 4 * kTwipsPerPixel : 0));
}

PictureBox& PictureBox::BorderStyle(Integer v) {
    borderStyle_ = v;
    Notify(Property::Appearance);
    return *this;
}

PictureBox& PictureBox::Picture(std::string path) {
    picture_ = std::move(path);
    Notify(Property::Picture);
    return *this;
}

void PictureBox::Cls() {
    ops_.clear();
    SetPen(-static_cast<double>(ScaleLeft()), -static_cast<double>(ScaleTop()));
    if (Peer* p = LivePeer()) p->Repaint();
}

const FontMetrics& PictureBox::SurfaceMetrics() const { return backend().Metrics(); }

void PictureBox::Emit(DrawOp op) {
    ops_.push_back(std::move(op));
    if (Peer* p = LivePeer()) p->Repaint();
}

void PictureBox::OnVisibleChanged() {
    if (Visible()) Refresh();
}

}  // namespace forms
