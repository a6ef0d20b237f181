// Peers of the graphical controls: picture boxes (painted display list), images, animations,
// lines and shapes.
#include <QFrame>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "platform/forms/controls.h"
#include "platform/forms/picture.h"
#include "platform/qt/accessible.h"
#include "platform/qt/convert.h"
#include "platform/qt/focuslabel.h"
#include "platform/qt/kinds.h"
#include "platform/qt/paint.h"

namespace qtui {

using forms::Property;

namespace {

class Canvas : public ReaderCanvas {
public:
    explicit Canvas(forms::PictureBox& picture) : picture_(&picture) {
        setMouseTracking(true);
        control = &picture;
    }
    void Detach() {
        picture_ = nullptr;
        control = nullptr;
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QFrame::paintEvent(e);
        if (!picture_) return;
        QPainter p(this);
        const int fw = frameWidth();
        p.fillRect(rect().adjusted(fw, fw, -fw, -fw), ToQColor(picture_->BackColor()));
        QRect inner = contentsRect();
        p.setClipRect(inner);
        p.translate(inner.topLeft());
        if (!picture_->Picture().empty()) {
            QPixmap pix(ToQ(picture_->Picture()));
            if (!pix.isNull()) p.drawPixmap(0, 0, pix);
        }
        PaintOps(p, picture_->DisplayList(), PaintTarget{});
    }

private:
    forms::PictureBox* picture_;
};

class PicturePeer : public ControlPeer {
public:
    explicit PicturePeer(forms::PictureBox& picture)
        : ControlPeer(picture, new Canvas(picture)), picture_(picture), w_(static_cast<Canvas*>(widget_.data())) {
        w_->setFocusPolicy(Qt::StrongFocus);  // one that only draws has none (ControlPeer::Init)
    }
    ~PicturePeer() override {
        if (widget_) w_->Detach();
    }
    void Init() override {
        ControlPeer::Init();
        Update(Property::Appearance, -1);
    }
    void Repaint() override {
        if (widget_) w_->update();
    }
    QPoint ContentOffset() const override { return w_->contentsRect().topLeft(); }

protected:
    void Update(Property what, int) override {
        switch (what) {
        case Property::Appearance:
            // The sunken border of the text and list boxes, so a white box shows all four edges; inside
            // it the inner area starts as far in as the old border's two pixels.
            if (picture_.BorderStyle() == forms::vbFixedSingle) {
                w_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
                const int pad = std::max(0, 2 - w_->frameWidth());
                w_->setContentsMargins(pad, pad, pad, pad);
            } else {
                w_->setFrameStyle(QFrame::NoFrame);
                w_->setContentsMargins(0, 0, 0, 0);
            }
            w_->update();
            break;
        case Property::Picture:
        case Property::BackColor: w_->update(); break;
        default: break;
        }
    }
    QPointF ToModel(QPointF pixels) const override {
        QPointF inner = pixels - QPointF(w_->contentsRect().topLeft());
        return inner * kTwips + QPointF(picture_.ScaleLeft(), picture_.ScaleTop());
    }

private:
    forms::PictureBox& picture_;
    Canvas* w_;
};

class ImagePeer : public ControlPeer {
public:
    explicit ImagePeer(forms::Image& image)
        : ControlPeer(image, new FocusLabel), image_(image), w_(static_cast<QLabel*>(widget_.data())) {
        w_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w_->setMouseTracking(true);
    }
    void Init() override {
        ControlPeer::Init();
        Update(Property::Picture, -1);
        Update(Property::Appearance, -1);
    }

protected:
    void Update(Property what, int) override {
        switch (what) {
        case Property::Picture:
        case Property::Style:
            w_->setScaledContents(image_.Stretch());
            w_->setPixmap(image_.Picture().empty() ? QPixmap() : QPixmap(ToQ(image_.Picture())));
            break;
        case Property::Appearance:
            w_->setFrameStyle(image_.BorderStyle() == forms::vbFixedSingle ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
            break;
        default: break;
        }
    }
    void ApplyColors() override {}  // transparent over the form

private:
    forms::Image& image_;
    QLabel* w_;
};

class AnimationPeer : public ControlPeer {
public:
    explicit AnimationPeer(forms::Animation& animation)
        : ControlPeer(animation, new QLabel), animation_(animation), w_(static_cast<QLabel*>(widget_.data())) {
        w_->setAlignment(Qt::AlignCenter);
    }
    void Init() override {
        ControlPeer::Init();
        Update(Property::Picture, -1);
    }

protected:
    void Update(Property what, int) override {
        if (what == Property::Picture || what == Property::Style) Load();
        else if (what == Property::Playing) Play();
    }

private:
    void Load() {
        if (movie_) {
            w_->setMovie(nullptr);
            movie_->deleteLater();
        }
        movie_ = nullptr;
        if (animation_.FileName().empty()) return;
        movie_ = new QMovie(ToQ(animation_.FileName()), QByteArray(), w_);
        w_->setMovie(movie_);
        Play();
    }
    void Play() {
        if (!movie_) return;
        if (animation_.Playing()) {
            if (movie_->state() == QMovie::Paused) movie_->setPaused(false);
            else if (movie_->state() == QMovie::NotRunning) movie_->start();
        } else {
            if (movie_->state() == QMovie::NotRunning) movie_->jumpToFrame(0);
            else movie_->setPaused(true);
        }
    }
    forms::Animation& animation_;
    QLabel* w_;
    QPointer<QMovie> movie_;
};

Qt::PenStyle PenStyle(Integer borderStyle) {
    switch (borderStyle) {
    case 0: return Qt::NoPen;
    case 2: return Qt::DashLine;
    case 3: return Qt::DotLine;
    case 4: return Qt::DashDotLine;
    case 5: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

// Lines and shapes paint themselves; the mouse passes through them as it did.
class Drawing : public QWidget {
public:
    std::function<void(QPainter&)> paint;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!paint) return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, false);
        paint(p);
    }
};

class LinePeer : public ControlPeer {
public:
    explicit LinePeer(forms::Line& line) : ControlPeer(line, new Drawing), line_(line), w_(static_cast<Drawing*>(widget_.data())) {
        w_->setAttribute(Qt::WA_TransparentForMouseEvents);
        w_->paint = [this](QPainter& p) {
            QPen pen(ToQColor(line_.BorderColor()), std::max<int>(1, line_.BorderWidth()), PenStyle(line_.BorderStyle()));
            p.setPen(pen);
            p.drawLine(from_, to_);
        };
    }
    ~LinePeer() override {
        if (widget_) w_->paint = nullptr;
    }

protected:
    void ApplyGeometry() override {
        QWidget* parent = ParentWidget();
        if (parent && w_->parentWidget() != parent) {
            w_->setParent(parent);
            w_->setVisible(line_.Visible());
        }
        QPoint offset;
        if (forms::Control* c = line_.Container())
            if (auto* p = dynamic_cast<ControlPeer*>(c->peer())) offset = p->ContentOffset();
        QPoint a(Px(line_.X1()), Px(line_.Y1())), b(Px(line_.X2()), Px(line_.Y2()));
        int pad = std::max<int>(1, line_.BorderWidth());
        QRect r = QRect(a, b).normalized().adjusted(-pad, -pad, pad, pad).translated(offset);
        from_ = a + offset - r.topLeft();
        to_ = b + offset - r.topLeft();
        w_->setGeometry(r);
        w_->update();
    }
    void ApplyColors() override {}
    void Update(Property what, int) override {
        if (what == Property::Coordinates) ApplyGeometry();
        w_->update();
    }

private:
    forms::Line& line_;
    Drawing* w_;
    QPoint from_, to_;
};

class ShapePeer : public ControlPeer {
public:
    explicit ShapePeer(forms::Shape& shape) : ControlPeer(shape, new Drawing), shape_(shape), w_(static_cast<Drawing*>(widget_.data())) {
        w_->setAttribute(Qt::WA_TransparentForMouseEvents);
        w_->paint = [this](QPainter& p) { Paint(p); };
    }
    ~ShapePeer() override {
        if (widget_) w_->paint = nullptr;
    }

protected:
    void ApplyColors() override {}
    void Update(Property, int) override { w_->update(); }

private:
    void Paint(QPainter& p) {
        int bw = std::max<int>(1, shape_.BorderWidth());
        QRectF r = QRectF(w_->rect()).adjusted(bw / 2.0, bw / 2.0, -bw / 2.0 - (bw % 2 ? 1 : 0), -bw / 2.0 - (bw % 2 ? 1 : 0));
        Integer s = shape_.ShapeStyle();
        if (s == forms::vbShapeSquare || s == forms::vbShapeCircle || s == forms::vbShapeRoundedSquare) {
            double side = std::min(r.width(), r.height());
            r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
        }
        QPainterPath path;
        if (s == forms::vbShapeOval || s == forms::vbShapeCircle) path.addEllipse(r);
        else if (s == forms::vbShapeRoundedRectangle || s == forms::vbShapeRoundedSquare) {
            double radius = std::min(r.width(), r.height()) / 6;
            path.addRoundedRect(r, radius, radius);
        } else path.addRect(r);
        if (s == forms::vbShapeOval || s == forms::vbShapeCircle) p.setRenderHint(QPainter::Antialiasing, true);
        if (shape_.BackStyle() == forms::vbOpaque) p.fillPath(path, ToQColor(shape_.BackColor()));
        static const Qt::BrushStyle kFill[] = {Qt::SolidPattern, Qt::NoBrush, Qt::HorPattern, Qt::VerPattern,
                                               Qt::BDiagPattern, Qt::FDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        Integer fs = shape_.FillStyle();
        if (fs >= 0 && fs < 8 && fs != forms::vbFSTransparent) p.fillPath(path, QBrush(ToQColor(shape_.FillColor()), kFill[fs]));
        QPen pen(ToQColor(shape_.BorderColor()), bw, PenStyle(shape_.BorderStyle()));
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    forms::Shape& shape_;
    Drawing* w_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakePicturePeer(forms::Control& c) {
    return std::make_unique<PicturePeer>(static_cast<forms::PictureBox&>(c));
}
std::unique_ptr<ControlPeer> MakeImagePeer(forms::Control& c) {
    return std::make_unique<ImagePeer>(static_cast<forms::Image&>(c));
}
std::unique_ptr<ControlPeer> MakeAnimationPeer(forms::Control& c) {
    return std::make_unique<AnimationPeer>(static_cast<forms::Animation&>(c));
}
std::unique_ptr<ControlPeer> MakeLinePeer(forms::Control& c) {
    return std::make_unique<LinePeer>(static_cast<forms::Line&>(c));
}
std::unique_ptr<ControlPeer> MakeShapePeer(forms::Control& c) {
    return std::make_unique<ShapePeer>(static_cast<forms::Shape&>(c));
}

}  // namespace qtui
