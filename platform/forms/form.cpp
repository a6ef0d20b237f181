#include "platform/forms/form.h"

#include <algorithm>

#include "platform/forms/controls.h"
#include "platform/forms/detail.h"
#include "platform/forms/input.h"
#include "platform/forms/menu.h"
#include "platform/forms/picture.h"

namespace forms {

// Reaches the private parts of forms for the application-level rules below.
struct FormAccess {
    static void BeginLoad(Form& f) {
        f.loaded_ = true;
        f.unloaded_ = false;
        detail::State().forms.push_back(&f);
        if (!f.attached_) {
            f.attached_ = true;
            backend().Attach(f);
        } else {
            // Prepared: the window is there (controls made since join it); its timers may run
            // from now on.
            f.AttachPending();
            for (Control* c : f.controls_)
                if (c->Kind() == ControlKind::Timer && c->peer()) c->peer()->Changed(Property::Timer);
        }
        detail::Fire(f.Load);
    }

    static void Prepare(Form& f) {
        if (f.loaded_ || f.attached_) return;
        if (Form* parent = f.mdiParent_) Prepare(*parent);  // its window holds the child's
        f.attached_ = true;
        backend().Prepare(f);
    }

    static void AnnounceFocus(Form& f) {
        if (f.focusAnnounced_) return;
        if (!f.focus_ || !f.focus_->CanFocus()) {
            const std::vector<Control*> order = f.TabOrder();
            f.focus_ = order.empty() ? nullptr : order.front();
        }
        if (!f.focus_) return;
        f.focusAnnounced_ = true;
        Control* c = f.focus_;
        if (c->peer()) c->peer()->Changed(Property::Focus);
        detail::Fire(c->GotFocus);
    }

    static void ActivateTop(Form& f) {
        auto& st = detail::State();
        if (st.activeTop == &f) return;
        Form* old = st.activeTop;
        st.activeTop = &f;
        std::erase(st.activation, &f);
        st.activation.push_back(&f);
        if (old) detail::Fire(old->Deactivate);
        f.Notify(Property::Active);
        detail::Fire(f.Activate);
        AnnounceFocus(f);
    }

    static void Activate(Form& f) {
        if (!f.loaded_ || !f.visible_) return;
        if (Form* parent = f.mdiParent_) {
            if (detail::State().activeTop != parent) ActivateTop(*parent);
            if (parent->activeChild_ == &f) return;
            Form* old = parent->activeChild_;
            parent->activeChild_ = &f;
            if (old) detail::Fire(old->Deactivate);
            f.Notify(Property::Active);
            detail::Fire(f.Activate);
            AnnounceFocus(f);
            return;
        }
        ActivateTop(f);
    }

    // The form stops being shown (hidden or unloaded): it loses the activation, and the form
    // active before it gets it back.
    static void Leave(Form& f, bool runDeactivate) {
        auto& st = detail::State();
        if (Form* parent = f.mdiParent_) {
            if (parent->activeChild_ == &f) {
                parent->activeChild_ = nullptr;
                if (runDeactivate) detail::Fire(f.Deactivate);
            }
            return;
        }
        std::erase(st.activation, &f);
        if (st.activeTop != &f) return;
        st.activeTop = nullptr;
        if (runDeactivate) detail::Fire(f.Deactivate);
        for (auto it = st.activation.rbegin(); it != st.activation.rend(); ++it) {
            if ((*it)->loaded_ && (*it)->visible_) {
                Activate(**it);
                break;
            }
        }
    }

    static void Drop(Form& f) {
        auto& st = detail::State();
        std::erase(st.forms, &f);
        std::erase(st.activation, &f);
        if (st.activeTop == &f) st.activeTop = nullptr;
        for (Form* other : st.forms) {
            if (other->activeChild_ == &f) other->activeChild_ = nullptr;
        }
        for (auto it = f.controls_.rbegin(); it != f.controls_.rend(); ++it) (*it)->ClearPeer();
        f.peer_.reset();
        f.pendingAttach_.clear();
        f.attached_ = false;
        f.loaded_ = false;
        f.unloaded_ = true;
        f.visible_ = false;
        f.modal_ = false;
        f.shownOnce_ = false;
        f.focus_ = nullptr;
        f.focusAnnounced_ = false;
        f.activeChild_ = nullptr;
    }

    static bool Unload(Form& f, Integer mode) {
        if (!f.loaded_ || f.unloading_) return true;
        struct Guard {
            Form& f;
            explicit Guard(Form& form) : f(form) { f.unloading_ = true; }
            ~Guard() { f.unloading_ = false; }
        } guard(f);

        Integer cancel = 0;
        detail::Fire(f.QueryUnload, cancel, mode);
        if (cancel != 0) return false;
        std::vector<Form*> children = f.MDIChildren();
        for (Form* child : children) {
            cancel = 0;
            detail::Fire(child->QueryUnload, cancel, vbFormMDIForm);
            if (cancel != 0) return false;
        }
        for (Form* child : children) {
            if (!child->loaded_) continue;
            cancel = 0;
            detail::Fire(child->Unload, cancel);
            if (cancel != 0) return false;
            Finish(*child);
        }
        cancel = 0;
        detail::Fire(f.Unload, cancel);
        if (cancel != 0) return false;
        Finish(f);
        return true;
    }

    static void Finish(Form& f) {
        bool wasModal = f.modal_;
        if (f.visible_) {
            f.visible_ = false;
            f.Notify(Property::Visible);
        }
        f.modal_ = false;
        if (wasModal) backend().EndModal(f);
        Leave(f, false);
        Drop(f);
        if (detail::State().forms.empty()) backend().LastFormUnloaded();
    }
};

namespace detail {

void ActivateForm(Form& form) { FormAccess::Activate(form); }

bool FormShowing(const Form& form) { return form.IsLoaded() && form.Visible(); }

void PaintAll(Form& form) {
    if (!FormShowing(form)) return;
    Fire(form.Paint);
    for (Control* c : std::vector<Control*>(form.Controls())) {
        if (c->Kind() != ControlKind::PictureBox || !c->Visible()) continue;
        bool shown = true;
        for (Control* p = c->Container(); p; p = p->Container()) shown = shown && p->Visible();
        if (shown) Fire(static_cast<PictureBox*>(c)->Paint);
    }
}

void Discard(Form& form) {
    if (form.IsLoaded()) FormAccess::Drop(form);
}

}  // namespace detail

Form::Form(std::string name) : name_(std::move(name)) {}

Form::~Form() {
    if (loaded_) FormAccess::Drop(*this);
}

// A control made after the load is still being constructed here; the backend gets it at its
// first use, when it is complete.
void Form::Register(Control* c) {
    controls_.push_back(c);
    if (attached_) pendingAttach_.push_back(c);
}

void Form::AttachPending() {
    std::vector<Control*> pending = std::move(pendingAttach_);
    pendingAttach_.clear();
    if (!attached_) return;
    for (Control* c : pending) backend().AttachControl(*c);
}

void Form::Unregister(Control* c) {
    std::erase(controls_, c);
    std::erase(pendingAttach_, c);
    if (focus_ == c) {
        focus_ = nullptr;
        focusAnnounced_ = false;
    }
}

Form& Form::Caption(std::string v) {
    if (caption_ == v) return *this;
    caption_ = std::move(v);
    Notify(Property::Caption);
    return *this;
}

namespace {
bool SizeDiffers(Single a, Single b) { return a != b; }
}  // namespace

Form& Form::Move(Single left, Single top, Single width, Single height) {
    if (width < 0 || height < 0) throw vb::Error(vb::errInvalidPropertyValue);
    bool resized = SizeDiffers(width, width_) || SizeDiffers(height, height_);
    if (left == left_ && top == top_ && !resized) return *this;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Notify(Property::Geometry);
    if (resized && loaded_) detail::Fire(Resize);
    return *this;
}

Form& Form::Move(Single left, Single top) { return Move(left, top, width_, height_); }
Form& Form::Left(Single v) { return Move(v, top_, width_, height_); }
Form& Form::Top(Single v) { return Move(left_, v, width_, height_); }
Form& Form::Width(Single v) { return Move(left_, top_, v, height_); }
Form& Form::Height(Single v) { return Move(left_, top_, width_, v); }

Single Form::FrameWidth() const { return borderStyle_ == vbBSNone ? 0 : 8 * kTwipsPerPixel; }

Single Form::FrameHeight() const {
    if (borderStyle_ == vbBSNone) return 0;
    bool tool = borderStyle_ == vbFixedToolWindow || borderStyle_ == vbSizableToolWindow;
    Single h = static_cast<Single>((8 + (tool ? 16 : 20)) * kTwipsPerPixel);
    for (Menu* m : MenuBar()) {
        if (m->Visible()) {
            h += 20 * kTwipsPerPixel;
            break;
        }
    }
    return h;
}

Single Form::ScaleWidth() const { return std::max<Single>(0, width_ - FrameWidth()); }
Single Form::ScaleHeight() const { return std::max<Single>(0, height_ - FrameHeight()); }

Form& Form::ClientSize(Single width, Single height) {
    return Move(left_, top_, width + FrameWidth(), height + FrameHeight());
}

Form& Form::Visible(bool v) {
    if (v) Show();
    else Hide();
    return *this;
}

Form& Form::Enabled(bool v) {
    if (enabled_ == v) return *this;
    enabled_ = v;
    Notify(Property::Enabled);
    return *this;
}

Form& Form::WindowState(Integer v) {
    if (v < vbNormal || v > vbMaximized) throw vb::Error(vb::errInvalidPropertyValue);
    if (windowState_ == v) return *this;
    windowState_ = v;
    Notify(Property::WindowState);
    if (loaded_) detail::Fire(Resize);
    return *this;
}

Form& Form::BackColor(Long v) {
    if (backColor_ == v) return *this;
    backColor_ = v;
    Notify(Property::BackColor);
    return *this;
}

Form& Form::ForeColor(Long v) {
    if (foreColor_ == v) return *this;
    foreColor_ = v;
    Notify(Property::ForeColor);
    return *this;
}

Form& Form::Font(const forms::Font& f) {
    if (font_ == f) return *this;
    font_ = f;
    Notify(Property::Font);
    return *this;
}

Form& Form::MousePointer(Integer v) {
    if (mousePointer_ == v) return *this;
    mousePointer_ = v;
    Notify(Property::MousePointer);
    return *this;
}

Form& Form::Icon(std::string path) {
    icon_ = std::move(path);
    Notify(Property::Icon);
    return *this;
}

Form& Form::Picture(std::string path) {
    picture_ = std::move(path);
    Notify(Property::Picture);
    return *this;
}

Form& Form::BorderStyle(Integer v) {
    borderStyle_ = v;
    Notify(Property::Appearance);
    return *this;
}

Form& Form::ControlBox(bool v) { controlBox_ = v; Notify(Property::Appearance); return *this; }
Form& Form::MinButton(bool v) { minButton_ = v; Notify(Property::Appearance); return *this; }
Form& Form::MaxButton(bool v) { maxButton_ = v; Notify(Property::Appearance); return *this; }
Form& Form::ShowInTaskbar(bool v) { showInTaskbar_ = v; Notify(Property::Appearance); return *this; }

Form& Form::MDIForm(bool v) {
    mdiForm_ = v;
    return *this;
}

Form& Form::MDIParent(Form& parent) {
    mdiParent_ = &parent;
    parent.mdiForm_ = true;
    return *this;
}

std::vector<Form*> Form::MDIChildren() const {
    std::vector<Form*> out;
    for (Form* f : detail::State().forms)
        if (f->mdiParent_ == this) out.push_back(f);
    return out;
}

void Form::Show() {
    forms::Load(*this);
    if (!loaded_) return;  // unloaded by its own Load
    AttachPending();
    if (mdiParent_ && !mdiParent_->visible_) mdiParent_->Show();
    bool becameVisible = !visible_;
    if (becameVisible) {
        visible_ = true;
        Notify(Property::Visible);
        if (!shownOnce_) {
            shownOnce_ = true;
            detail::Fire(Resize);
        }
    }
    FormAccess::Activate(*this);
    if (becameVisible) detail::PaintAll(*this);
}

void Form::Show(Integer modal) {
    if (modal == vbModal) ShowModal();
    else Show();
}

void Form::ShowModal() {
    if (loaded_ && visible_) throw vb::Error(400, "Form already displayed; can't show modally");
    forms::Load(*this);
    if (!loaded_) return;
    modal_ = true;
    Show();
    if (loaded_ && visible_ && modal_) backend().RunModal(*this);
    if (loaded_ && visible_) Hide();
    modal_ = false;
}

void Form::Hide() {
    if (!loaded_) {
        forms::Load(*this);
        return;
    }
    if (!visible_) return;
    visible_ = false;
    Notify(Property::Visible);
    if (modal_) {
        modal_ = false;
        backend().EndModal(*this);
    }
    FormAccess::Leave(*this, true);
}

void Form::Refresh() {
    detail::PaintAll(*this);
}

void Form::SetFocus() {
    if (loaded_ && visible_) FormAccess::Activate(*this);
}

void Form::ZOrder(Integer position) { Notify(Property::ZOrder, position); }

void Form::WhenDrawn(std::function<void()> task) {
    if (loaded_ && task) backend().WhenDrawn(*this, std::move(task));
}

void Form::PopupMenu(Menu& menu, Integer flags) {
    Menu* chosen = backend().PopupMenu(*this, menu, flags, 0, 0, false);
    if (chosen) input::ChooseMenu(*chosen);
}

void Form::PopupMenu(Menu& menu, Integer flags, Single x, Single y) {
    Menu* chosen = backend().PopupMenu(*this, menu, flags, x, y, true);
    if (chosen) input::ChooseMenu(*chosen);
}

std::vector<Control*> Form::TabOrder() const {
    std::vector<Control*> order;
    for (Control* c : controls_)
        if (c->TabReaches()) order.push_back(c);
    std::stable_sort(order.begin(), order.end(), [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
    return order;
}

Control* Form::FindControl(std::string_view name, int index) const {
    for (Control* c : controls_)
        if (c->Name() == name && c->Index() == index) return c;
    return nullptr;
}

std::vector<Menu*> Form::MenuBar() const {
    std::vector<Menu*> out;
    for (Control* c : controls_) {
        if (c->Kind() != ControlKind::Menu) continue;
        auto* m = static_cast<Menu*>(c);
        if (!m->ParentMenu()) out.push_back(m);
    }
    return out;
}

CommandButton* Form::DefaultButton() const {
    for (Control* c : controls_)
        if (c->Kind() == ControlKind::CommandButton && static_cast<CommandButton*>(c)->Default())
            return static_cast<CommandButton*>(c);
    return nullptr;
}

CommandButton* Form::CancelButton() const {
    for (Control* c : controls_)
        if (c->Kind() == ControlKind::CommandButton && static_cast<CommandButton*>(c)->Cancel())
            return static_cast<CommandButton*>(c);
    return nullptr;
}

bool Form::IsActive() const {
    return detail::State().activeTop == this || (mdiParent_ && mdiParent_->activeChild_ == this &&
                                                 detail::State().activeTop == mdiParent_);
}

void Load(Form& form) {
    if (form.IsLoaded()) return;
    if (Form* parent = form.MDIParent(); parent && !parent->IsLoaded()) Load(*parent);
    FormAccess::BeginLoad(form);
}

void Prepare(Form& form) { FormAccess::Prepare(form); }

bool Unload(Form& form, Integer unloadMode) { return FormAccess::Unload(form, unloadMode); }

FormHolderBase::~FormHolderBase() {
    if (current_) detail::Discard(*current_);
}

Form& FormHolderBase::Instance() {
    if (current_ && current_->WasUnloaded()) retired_.push_back(std::move(current_));
    if (EventDepth() == 0) retired_.clear();
    if (!current_) current_ = make_();
    return *current_;
}

Form& FormHolderBase::Get() {
    Form& form = Instance();
    if (!form.IsLoaded()) Load(form);
    return form;
}

}  // namespace forms
