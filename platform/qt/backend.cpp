#include "platform/qt/backend.h"

#include <QApplication>
#include <algorithm>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "platform/forms/form.h"
#include "platform/forms/menu.h"
#include "platform/qt/convert.h"
#include "platform/qt/formpeer.h"
#include "platform/qt/menus.h"

namespace qtui {

// ---- metrics ----

QtFontMetrics::QtFontMetrics(int dpi) : twipsPerPixel_(kTwips) {
    if (dpi > 0) {
        device_ = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
        int dpm = static_cast<int>(std::lround(dpi / 0.0254));
        device_->setDotsPerMeterX(dpm);
        device_->setDotsPerMeterY(dpm);
        twipsPerPixel_ = 1440.0 / dpi;
    }
}

const QFontMetricsF& QtFontMetrics::For(const forms::Font& font) const {
    Key key{font.Name, font.Size, font.Bold, font.Italic, font.Underline, font.Strikethrough};
    auto it = cache_.find(key);
    if (it != cache_.end()) return *it->second;
    QFont f = ToQFont(font);
    auto fm = device_ ? std::make_unique<QFontMetricsF>(f, device_.get()) : std::make_unique<QFontMetricsF>(f);
    return *cache_.emplace(key, std::move(fm)).first->second;
}

double QtFontMetrics::TextWidth(const forms::Font& font, std::string_view text) const {
    return For(font).horizontalAdvance(ToQ(text)) * twipsPerPixel_;
}

double QtFontMetrics::LineHeight(const forms::Font& font) const { return For(font).lineSpacing() * twipsPerPixel_; }

double QtFontMetrics::AverageCharWidth(const forms::Font& font) const {
    Key key{font.Name, font.Size, font.Bold, font.Italic, font.Underline, font.Strikethrough};
    auto it = averages_.find(key);
    if (it != averages_.end()) return it->second;
    const QFontMetricsF& fm = For(font);
    const double average = forms::WeightedAverageWidth([&](char c) { return fm.horizontalAdvance(QChar(c)); });
    return averages_.emplace(key, average * twipsPerPixel_).first->second;
}

// ---- backend ----

QtBackend::QtBackend() = default;

QtBackend::~QtBackend() {
    if (overrideCursor_) QApplication::restoreOverrideCursor();
}

namespace {

bool Graphical(forms::ControlKind k) {
    using K = forms::ControlKind;
    return k == K::Label || k == K::Line || k == K::Shape || k == K::Image;
}

// Tab follows TabIndex; a control without TabStop takes the focus only by a click. Those come
// after the Tab stops, so a window that opens gives the focus to its first Tab stop.
void SetTabOrder(const std::vector<ControlPeer*>& peers) {
    std::vector<ControlPeer*> order;
    std::vector<QWidget*> clickOnly;
    for (ControlPeer* p : peers) {
        QWidget* w = p->Widget();
        if (!w || w->focusPolicy() == Qt::NoFocus) continue;
        if (!p->control().TabStop()) {
            w->setFocusPolicy(Qt::ClickFocus);
            clickOnly.push_back(w);
        } else {
            order.push_back(p);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [](ControlPeer* a, ControlPeer* b) { return a->control().TabIndex() < b->control().TabIndex(); });
    std::vector<QWidget*> chain;
    for (ControlPeer* p : order) chain.push_back(p->Widget());
    if (!chain.empty()) chain.insert(chain.end(), clickOnly.begin(), clickOnly.end());
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace

void QtBackend::Attach(forms::Form& form) {
    auto owned = std::make_unique<FormPeer>(form);
    FormPeer* fp = owned.get();
    form.SetPeer(std::move(owned));
    std::vector<ControlPeer*> peers;
    for (forms::Control* c : form.Controls()) {
        auto p = MakeControlPeer(*c);
        if (!p) continue;
        peers.push_back(p.get());
        c->SetPeer(std::move(p));
    }
    for (ControlPeer* p : peers) p->Init();
    // The old graphical controls (labels, lines, shapes, images) lie beneath the windowed ones.
    for (auto it = peers.rbegin(); it != peers.rend(); ++it)
        if (Graphical((*it)->control().Kind()) && (*it)->Widget()) (*it)->Widget()->lower();
    for (ControlPeer* p : peers)
        if (p->control().ZPosition() != 0 && p->Widget()) {
            if (p->control().ZPosition() > 0) p->Widget()->raise();
            else p->Widget()->lower();
        }
    fp->Init();
    fp->LayoutMdiArea();
    SetTabOrder(peers);
}

void QtBackend::Prepare(forms::Form& form) {
    Attach(form);
    if (auto* fp = dynamic_cast<FormPeer*>(form.peer())) fp->DrawOffScreen();
}

void QtBackend::AttachControl(forms::Control& control) {
    auto* fp = dynamic_cast<FormPeer*>(control.Parent().peer());
    if (!fp) return;
    if (control.Kind() == forms::ControlKind::Menu) {
        fp->BuildMenus();
        return;
    }
    auto p = MakeControlPeer(control);
    if (!p) return;
    ControlPeer* raw = p.get();
    control.SetPeer(std::move(p));
    raw->Init();
    fp->LayoutMdiArea();
}

void QtBackend::RunModal(forms::Form& form) {
    if (!form.IsLoaded() || !form.Visible()) return;
    QEventLoop loop;
    loops_[&form] = &loop;
    loop.exec(QEventLoop::DialogExec);
    loops_.erase(&form);
}

void QtBackend::EndModal(forms::Form& form) {
    auto it = loops_.find(&form);
    if (it != loops_.end()) it->second->quit();
}

forms::Menu* QtBackend::PopupMenu(forms::Form& form, forms::Menu& menu, vb::Integer flags, vb::Single x,
                                  vb::Single y, bool hasPosition) {
    QPoint at = MousePosition();
    auto* fp = dynamic_cast<FormPeer*>(form.peer());
    if (hasPosition && fp && fp->ClientArea()) at = fp->ClientArea()->mapToGlobal(QPoint(Px(x), Px(y)));
    if (auto* mp = dynamic_cast<MenuPeer*>(menu.peer()); mp && mp->Submenu()) {
        int width = mp->Submenu()->sizeHint().width();
        if (flags & forms::vbPopupMenuRightAlign) at.rx() -= width;
        else if (flags & forms::vbPopupMenuCenterAlign) at.rx() -= width / 2;
    }
    return ExecPopup(menu, at);
}

void QtBackend::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtBackend::WhenDrawn(forms::Form& form, std::function<void()> task) {
    if (auto* fp = dynamic_cast<FormPeer*>(form.peer())) fp->WhenDrawn(std::move(task));
}

forms::ScreenMetrics QtBackend::Screen() const {
    forms::ScreenMetrics m;
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        m.width = static_cast<vb::Single>(Twips(s->geometry().width()));
        m.height = static_cast<vb::Single>(Twips(s->geometry().height()));
    }
    return m;
}

void QtBackend::ScreenMousePointerChanged(vb::Integer pointer) {
    if (pointer == forms::vbDefault) {
        if (overrideCursor_) QApplication::restoreOverrideCursor();
        overrideCursor_ = false;
        return;
    }
    if (overrideCursor_) QApplication::changeOverrideCursor(QCursor(CursorFor(pointer)));
    else QApplication::setOverrideCursor(QCursor(CursorFor(pointer)));
    overrideCursor_ = true;
}

void QtBackend::LastFormUnloaded() {
    if (quitWithLastForm_) QCoreApplication::quit();
}

}  // namespace qtui
