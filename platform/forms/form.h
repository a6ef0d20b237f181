#pragma once
// Forms: one class per window deriving from forms::Form, its controls as members.
//
// Lifetime (the old runtime's rules):
//  * A form is loaded by forms::Load (or the first access through its FormHolder): it joins the
//    Forms() collection, the backend makes its window (hidden), then its Load event runs.
//  * Show makes it visible: on the first show Resize runs, then Activate, then GotFocus of the
//    control with the focus, then Paint of the form and its picture boxes (Paint also on later
//    shows and on Refresh). Hide hides it; when the active form goes, the form active before it
//    is activated again (its Activate runs).
//  * ShowModal returns when the form is hidden or unloaded.
//  * forms::Unload runs QueryUnload(Cancel, UnloadMode) and Unload(Cancel); a non-zero Cancel keeps
//    the form. Unloading an MDI parent first asks and unloads its children (UnloadMode
//    vbFormMDIForm). When the last form is unloaded the backend is told the program ends.
//  * A FormHolder creates its form on first access and loads it; after an Unload the next access
//    makes a fresh instance (the old one stays alive until no event handler is running).
//  * forms::Prepare makes a form's window ahead of its load, while the program waits anyway: the
//    backend builds it hidden, no event runs, and the form stays unloaded (outside Forms(), its
//    timers stopped, its window deaf to input) until Load, which then only runs the events.
// Inside a form's methods write forms::Load(...) / forms::Unload(...): the unqualified names are
// the form's own Load and Unload events.
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/error.h"
#include "platform/forms/control.h"

namespace forms {

class CommandButton;
class Menu;

class Form {
public:
    // name: the window class's name ("frmCalendar"), used by tests to script modal windows.
    explicit Form(std::string name);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    const std::string& Name() const { return name_; }
    bool IsLoaded() const { return loaded_; }
    // Was loaded once and is unloaded now.
    bool WasUnloaded() const { return unloaded_; }
    // Its window was made ahead of its load (forms::Prepare) and it is not loaded yet.
    bool IsPrepared() const { return attached_ && !loaded_; }

    const std::string& Caption() const { return caption_; }
    Form& Caption(std::string v);
    // Outer position and size in twips (MDI children: inside the parent's client area).
    Single Left() const { return left_; }
    Single Top() const { return top_; }
    Single Width() const { return width_; }
    Single Height() const { return height_; }
    Form& Left(Single v);
    Form& Top(Single v);
    Form& Width(Single v);
    Form& Height(Single v);
    Form& Move(Single left, Single top);
    Form& Move(Single left, Single top, Single width, Single height);
    // Client area: the outer size less the frame (4 pixels a side), the caption (20 pixels, 16 for
    // tool windows) and the menu bar (20 pixels, when a top-level menu is visible).
    Single ScaleWidth() const;
    Single ScaleHeight() const;
    Form& ClientSize(Single width, Single height);
    Single FrameWidth() const;
    Single FrameHeight() const;

    bool Visible() const { return visible_; }
    Form& Visible(bool v);
    bool Enabled() const { return enabled_; }
    Form& Enabled(bool v);
    Integer WindowState() const { return windowState_; }
    Form& WindowState(Integer v);
    Long BackColor() const { return backColor_; }
    Form& BackColor(Long v);
    Long ForeColor() const { return foreColor_; }
    Form& ForeColor(Long v);
    const forms::Font& Font() const { return font_; }
    Form& Font(const forms::Font& f);
    Integer MousePointer() const { return mousePointer_; }
    Form& MousePointer(Integer v);
    const std::string& Icon() const { return icon_; }
    Form& Icon(std::string path);
    const std::string& Picture() const { return picture_; }
    Form& Picture(std::string path);
    Integer BorderStyle() const { return borderStyle_; }
    Form& BorderStyle(Integer v);
    bool ControlBox() const { return controlBox_; }
    Form& ControlBox(bool v);
    bool MinButton() const { return minButton_; }
    Form& MinButton(bool v);
    bool MaxButton() const { return maxButton_; }
    Form& MaxButton(bool v);
    bool ShowInTaskbar() const { return showInTaskbar_; }
    Form& ShowInTaskbar(bool v);
    // Key events reach the form before the control with the focus.
    bool KeyPreview() const { return keyPreview_; }
    Form& KeyPreview(bool v) { keyPreview_ = v; return *this; }
    const std::string& Tag() const { return tag_; }
    Form& Tag(std::string v) { tag_ = std::move(v); return *this; }
    // What a screen reader calls the window when its caption is not its name (an MDI child whose
    // title the parent shows).
    const std::string& AccessibleName() const { return accessibleName_; }
    Form& AccessibleName(std::string v) { accessibleName_ = std::move(v); return *this; }

    // MDI: a parent holds its children inside its client area.
    bool IsMDIForm() const { return mdiForm_; }
    Form& MDIForm(bool v);
    Form* MDIParent() const { return mdiParent_; }
    Form& MDIParent(Form& parent);
    std::vector<Form*> MDIChildren() const;
    Form* ActiveMDIChild() const { return activeChild_; }

    void Show();
    void Show(Integer modal);  // vbModeless or vbModal
    void ShowModal();
    void Hide();
    void Refresh();
    void SetFocus();
    void ZOrder(Integer position = vbBringToFront);
    // Shows a pop-up menu at the mouse or at (x, y) in client twips; returns after the chosen
    // item's Click has run.
    void PopupMenu(Menu& menu, Integer flags = 0);
    void PopupMenu(Menu& menu, Integer flags, Single x, Single y);
    // Runs `task` once, from the event loop and outside any event handler, after the window has
    // been drawn on screen (at the next turn when it already was); dropped when the form unloads
    // first. For work that may wait until the user sees the window (nothing runs it without a
    // backend that draws).
    void WhenDrawn(std::function<void()> task);

    Control* ActiveControl() const { return focus_; }
    const std::vector<Control*>& Controls() const { return controls_; }
    // The controls Tab stops on now (Control::TabReaches), in tab order.
    std::vector<Control*> TabOrder() const;
    Control* FindControl(std::string_view name, int index = -1) const;
    std::vector<Menu*> MenuBar() const;  // top-level menus, in order
    CommandButton* DefaultButton() const;
    CommandButton* CancelButton() const;
    bool IsModal() const { return modal_; }
    bool IsActive() const;

    Event Load;
    Event Activate;
    Event Deactivate;
    Event Resize;
    Event Paint;
    Event Click;
    Event DblClick;
    std::function<void(Integer& Cancel, Integer UnloadMode)> QueryUnload;
    std::function<void(Integer& Cancel)> Unload;
    KeyEvent KeyDown;
    KeyEvent KeyUp;
    KeyPressEvent KeyPress;
    MouseEvent MouseDown;
    MouseEvent MouseMove;
    MouseEvent MouseUp;

    // Backend side.
    Peer* peer() const { return peer_.get(); }
    void SetPeer(std::unique_ptr<Peer> peer) { peer_ = std::move(peer); }
    void Notify(Property what, int index = -1) const {
        if (peer_) peer_->Changed(what, index);
    }

private:
    friend class Control;
    friend class Menu;
    friend struct FormAccess;
    void Register(Control* c);
    void Unregister(Control* c);
    void AttachPending();

    std::string name_;
    std::string caption_;
    std::string icon_, picture_, tag_, accessibleName_;
    Single left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool attached_ = false;  // the backend made its window and peers
    bool visible_ = false;
    bool enabled_ = true;
    bool shownOnce_ = false;
    bool modal_ = false;
    bool unloading_ = false;
    bool keyPreview_ = false;
    bool controlBox_ = true, minButton_ = true, maxButton_ = true, showInTaskbar_ = true;
    bool mdiForm_ = false;
    bool focusAnnounced_ = false;
    int peersGoing_ = 0;  // peers of controls being destroyed
    Integer windowState_ = vbNormal;
    Integer borderStyle_ = vbSizable;
    Integer mousePointer_ = vbDefault;
    Long backColor_ = vbButtonFace;
    Long foreColor_ = vbWindowText;
    forms::Font font_;
    Form* mdiParent_ = nullptr;
    Form* activeChild_ = nullptr;
    Control* focus_ = nullptr;
    long zCounterFront_ = 0;
    long zCounterBack_ = 0;
    std::vector<Control*> controls_;
    std::vector<Control*> pendingAttach_;  // created after the load, attached at their first use
    std::unique_ptr<Peer> peer_;
};

// Loads a form (no effect when loaded).
void Load(Form& form);
// Makes the window of a form that is not loaded, hidden, without running any event (an MDI
// child's parent first); its load later skips that work. No effect when loaded or prepared.
void Prepare(Form& form);
// Unloads a form; false when QueryUnload or Unload cancelled. No effect when not loaded.
bool Unload(Form& form, Integer unloadMode = vbFormCode);
// The loaded forms in load order.
const std::vector<Form*>& Forms();

// Creates the form on first access, and a fresh one after an Unload.
class FormHolderBase {
public:
    FormHolderBase(const FormHolderBase&) = delete;
    FormHolderBase& operator=(const FormHolderBase&) = delete;
    bool IsLoaded() const { return current_ && current_->IsLoaded(); }

protected:
    explicit FormHolderBase(std::function<std::unique_ptr<Form>()> make) : make_(std::move(make)) {}
    ~FormHolderBase();
    Form& Get();
    // The instance, made when there is none (or the last one was unloaded), not loaded.
    Form& Instance();
    Form* Existing() const { return current_ && current_->IsLoaded() ? current_.get() : nullptr; }

private:
    std::function<std::unique_ptr<Form>()> make_;
    std::unique_ptr<Form> current_;
    std::vector<std::unique_ptr<Form>> retired_;
};

template <class T>
class FormHolder : public FormHolderBase {
public:
    explicit FormHolder(std::function<std::unique_ptr<T>()> make)
        : FormHolderBase([make = std::move(make)]() -> std::unique_ptr<Form> { return make(); }) {}
    FormHolder() : FormHolder([] { return std::make_unique<T>(); }) {}

    // The loaded instance (created and loaded when needed).
    T& operator()() { return static_cast<T&>(Get()); }
    T* operator->() { return &(*this)(); }
    // The instance when it is loaded; never creates one.
    T* Existing() const { return static_cast<T*>(FormHolderBase::Existing()); }
    // The instance as it is, made but not loaded when there is none: for a window that names
    // another (an MDI child its parent) without loading it.
    T& Instance() { return static_cast<T&>(FormHolderBase::Instance()); }
    // Makes the instance and prepares its window (forms::Prepare) without loading it.
    void Prepare() { forms::Prepare(FormHolderBase::Instance()); }
};

// A control array, indexed like the old arrays (from a lower bound). Elements are named after the
// array and carry their Index.
//     forms::ControlArray<forms::Label> Label21{*this, "Label21", 6};        // 0..5
//     forms::ControlArray<forms::OptionButton> Option1{Frame1, "Option1", 6, 1};  // 1..6
//     Option1.On(&forms::OptionButton::Click, [this](Integer Index) { Option1_Click(Index); });
template <class T>
class ControlArray {
public:
    template <class Owner>
    ControlArray(Owner& owner, const std::string& name, int count, int lowerBound = 0)
        : lbound_(lowerBound) {
        for (int i = 0; i < count; ++i)
            items_.push_back(std::make_unique<T>(owner, name, lowerBound + i));
    }

    T& operator[](int index) const { return At(index); }
    T& operator()(int index) const { return At(index); }
    bool Exists(int index) const { return index >= lbound_ && index < lbound_ + Count(); }
    int LBound() const { return lbound_; }
    int UBound() const { return lbound_ + Count() - 1; }
    int Count() const { return static_cast<int>(items_.size()); }

    // Wires one event of every element to a handler that gets the element's Index first.
    template <class C, class... Args, class Handler>
    void On(std::function<void(Args...)> C::*event, Handler handler) {
        for (auto& item : items_) {
            T& element = *item;
            const Integer index = static_cast<Integer>(element.Index());
            element.*event = [handler, index](Args... args) { handler(index, std::forward<Args>(args)...); };
        }
    }

    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = T*;
        using reference = T&;
        explicit iterator(typename std::vector<std::unique_ptr<T>>::const_iterator it) : it_(it) {}
        T& operator*() const { return **it_; }
        T* operator->() const { return it_->get(); }
        iterator& operator++() { ++it_; return *this; }
        iterator operator++(int) { auto old = *this; ++it_; return old; }
        bool operator==(const iterator& o) const { return it_ == o.it_; }

    private:
        typename std::vector<std::unique_ptr<T>>::const_iterator it_;
    };
    iterator begin() const { return iterator(items_.begin()); }
    iterator end() const { return iterator(items_.end()); }

private:
    T& At(int index) const {
        if (!Exists(index)) throw vb::Error(340, "Control array element '" + std::to_string(index) + "' doesn't exist");
        return *items_[static_cast<std::size_t>(index - lbound_)];
    }
    int lbound_;
    std::vector<std::unique_ptr<T>> items_;
};

// The old Screen object.
class ScreenObject {
public:
    Single Width() const;
    Single Height() const;
    int TwipsPerPixelX() const;
    int TwipsPerPixelY() const;
    Integer MousePointer() const;
    void MousePointer(Integer pointer);
    // The active form (its active MDI child when it is an MDI parent); nullptr when none.
    Form* ActiveForm() const;
    Control* ActiveControl() const;
};
ScreenObject& Screen();

// The old App object; the program sets Title, Path and HelpFile at start.
class AppObject {
public:
    const std::string& Title() const { return title_; }
    void Title(std::string v) { title_ = std::move(v); }
    const std::string& Path() const { return path_; }  // the program's folder
    void Path(std::string v) { path_ = std::move(v); }
    const std::string& EXEName() const { return exeName_; }
    void EXEName(std::string v) { exeName_ = std::move(v); }
    const std::string& HelpFile() const { return helpFile_; }
    void HelpFile(std::string v) { helpFile_ = std::move(v); }
    bool TaskVisible() const { return taskVisible_; }
    void TaskVisible(bool v) { taskVisible_ = v; }

private:
    std::string title_, path_, exeName_, helpFile_;
    bool taskVisible_ = true;
};
AppObject& App();

// Lets pending events run (the backend's event loop).
void DoEvents();

// How many event handlers are running (nested).
int EventDepth();

// Forgets every form (no events run) and resets Screen and App; for test fixtures.
void ResetApplication();

}  // namespace forms
