#pragma once
// How a toolkit backend binds the headless forms model.
//
//  * One process-wide backend (SetBackend; services::Host::Install does it). Without one a null
//    backend runs: no windows, modal shows return at once, fixed font metrics, a 1024x768 screen.
//  * Peers. Backend::Attach(form) runs when a form loads, before its Load event, or earlier when
//    the form is prepared (forms::Prepare): then the form is not loaded yet, and its peers must
//    not call into the model (the window's input is dropped until the load) nor start its
//    timers (Timer::Running is false until the load, which tells each timer's peer). It makes the
//    window and gives the form and each control (form.Controls(), menus and timers included) a
//    peer with SetPeer(std::make_unique<...>()). Peers are OWNED BY THE MODEL: a control's peer
//    dies with the control or when the form unloads (control peers first, the form's last, in no
//    promised order between a container and its children, so hold child widgets by QPointer).
//    A peer must never touch its control from its destructor. Controls made after the load
//    (rare) come through Backend::AttachControl at their first property change or the next Show,
//    once they are fully constructed.
//  * Model -> view. After every state change the model calls peer->Changed(Property, index).
//    The peer reads the new state from the control (cast by control.Kind()) and updates the
//    widget. Lists call ItemsInserted / ItemsRemoved / ItemsReset AFTER the change; a Qt list
//    model keeps its own row count and does beginInsertRows/endInsertRows at that moment, reading
//    the text through ListBox::List(i). Picture boxes call Repaint() when their display list
//    (PictureBox::DisplayList) changed: paint the list in order, it persists like AutoRedraw.
//  * View -> model. User input goes through the model's own setters or forms/input.h, never
//    around them: typing -> input::Edit(box, text, caret) (Change fires), a list click ->
//    input::ChooseItem, a scroll -> input::ScrollTo, a click -> input::Click (mouse buttons ->
//    input::MouseDown/MouseUp/MouseMove, on a form's bare surface input::FormMouse*), a key ->
//    input::KeyDown / KeyPress (a zero result means the handler ate the key; a key left goes on to
//    input::OptionKey, and the menu key or Shift+F10 to input::ContextClick; a key on a window
//    in which no control has the focus -> input::FormKeyDown), a close box ->
//    input::Close, activation -> input::Activate, resize -> input::Resized, a timer -> input::Tick.
//    Setting a value the control already has does nothing, so echoes from widget signals are
//    harmless. Exceptions from handlers come out of these calls; catch them at the toolkit
//    boundary.
//    Colours are &HBBGGRR longs; forms::ResolveColor turns system colours into real ones.
//  * Every control kind both ways:
//      Label        Caption, Alignment, colours, font, BorderStyle, BackStyle   -> input::Click, DblClick, Mouse*
//                   (KeyboardLink: it takes the focus, shows it, and hears the keys; Style tells)
//      CommandButton Caption, Default, Cancel, Picture                          -> input::Click
//      TextBox      Text, SelStart/SelLength, MaxLength, Locked, MultiLine     -> input::Edit, input::Select
//                   (multi-line text holds CR LF; convert to and from "\n")
//      CheckBox     Value 0/1/2                                                -> input::Click (toggles)
//      OptionButton Value                                                      -> input::Click, OptionKey
//      Frame        Caption (a container)
//      ListBox      items (ItemsInserted...), ListIndex, TopIndex               -> input::ChooseItem, TopIndex(n)
//                   (ChooseByEnter, also a simple combo's: the keys move the caret alone, and
//                   Enter or Space, left by input::KeyDown, -> input::ChooseAtCaret)
//      ComboBox     items, ListIndex, Text, Style                              -> input::ChooseItem, input::Edit, input::DropDown
//      H/VScrollBar Min, Max (Min may exceed Max: a vertical bar with Min > Max has its Min at the
//                   top, so the up arrow raises the value), Value, Small/LargeChange -> input::ScrollTo,
//                   input::ScrollLine / ScrollPage. Widget position p in [0, |Max-Min|]:
//                   p = (Value - Min) * (Max >= Min ? 1 : -1).
//      PictureBox   DisplayList, BackColor, Picture (container)                -> Mouse*, Key*, input::Paint
//      Image        Picture (file path), Stretch, KeyboardLink as a label's     -> Click
//      Animation    FileName, Playing
//      Timer        Enabled, Interval (no widget; run a toolkit timer)          -> input::Tick
//      Line, Shape  coordinates, BorderColor/Width, FillColor/Style
//      StatusBar    Panels(i) (index = panel number), SimpleText
//      Toolbar      AllTools() (index = position; Band "" = tool bar, else a menu) -> input::ClickTool
//      Menu         Form::MenuBar(), Menu::Items(); Caption with &, Shortcut ("Ctrl+N"), Checked,
//                   Enabled, Visible, separators ("-"); hidden top-level menus are pop-ups
//                                                                              -> input::ChooseMenu
//      Form         Caption, geometry (outer twips; client = ScaleWidth/ScaleHeight), Visible,
//                   WindowState, MousePointer, MDI parent/child, Icon          -> input::Close, Activate, Resized, Moved
//  * Modal: Form::ShowModal calls Backend::RunModal(form), which returns once the form is hidden
//    or unloaded; the model calls Backend::EndModal(form) at that moment (quit the nested loop).
//    PopupMenu calls Backend::PopupMenu and then runs the chosen item's Click.
//  * Twips: 15 per pixel. The model works in twips only.
#include <functional>
#include <memory>
#include <string>

#include "platform/core/types.h"
#include "platform/forms/constants.h"
#include "platform/forms/font.h"

namespace forms {

class Form;
class Control;
class Menu;

// What changed, passed to a peer. `index` names the item for Panel, Tool and ListItem.
enum class Property {
    Caption,
    Text,
    Value,
    Geometry,      // Left, Top, Width, Height (forms: also the client size)
    Visible,
    Enabled,
    ForeColor,
    BackColor,
    Font,
    ToolTipText,
    AccessibleName,
    MousePointer,
    Alignment,
    Appearance,    // BorderStyle, BackStyle, FillColor, FillStyle, BorderColor, BorderWidth, Shape
    Locked,
    MaxLength,
    Selection,     // SelStart, SelLength
    ListIndex,
    TopIndex,
    ListItem,      // the text or item data of item `index` changed
    Range,         // Min, Max, SmallChange, LargeChange
    Checked,
    Picture,
    Playing,
    Timer,         // Enabled or Interval of a timer
    Default,       // Default or Cancel role of a command button
    Shortcut,
    Panel,         // status bar panel `index` (1-based)
    Tool,          // toolbar tool `index` (0-based position)
    Tools,         // tools added or removed
    ZOrder,
    Focus,         // the model moved the focus to this control
    WindowState,
    Icon,
    Active,        // the model activated this form
    Style,         // MultiLine, ScrollBars, PasswordChar, combo Style, Sorted, Stretch ...
    Coordinates,   // X1, Y1, X2, Y2 of a line
};

// The toolkit side of one form or control. Owned by the model object it belongs to.
class Peer {
public:
    virtual ~Peer() = default;
    virtual void Changed(Property what, int index = -1) = 0;
    virtual void ItemsInserted(int first, int count) {}
    virtual void ItemsRemoved(int first, int count) {}
    virtual void ItemsReset() {}
    virtual void Repaint() {}
};

struct ScreenMetrics {
    Single width = 1024 * 15;  // twips
    Single height = 768 * 15;
    int twipsPerPixelX = 15;
    int twipsPerPixelY = 15;
};

class Backend {
public:
    virtual ~Backend() = default;
    // Make the window and the peers of a loading form (see above).
    virtual void Attach(Form& form) = 0;
    // A control created after its form was attached.
    virtual void AttachControl(Control& control) {}
    // Attach a form ahead of its load (forms::Prepare). A backend may also draw the hidden
    // window once off screen, so that its first real paint finds fonts, styles and layouts ready.
    virtual void Prepare(Form& form) { Attach(form); }
    // Run until the form is hidden or unloaded.
    virtual void RunModal(Form& form) = 0;
    virtual void EndModal(Form& form) {}
    // Show a pop-up menu; the chosen item, or nullptr when dismissed. x and y are twips in the
    // form's client area; hasPosition false means at the mouse.
    virtual Menu* PopupMenu(Form& form, Menu& menu, Integer flags, Single x, Single y,
                            bool hasPosition) = 0;
    // Let pending events run (DoEvents).
    virtual void DoEvents() {}
    // Run the task from the event loop once the loaded form's window has been drawn (see
    // Form::WhenDrawn); drop it when the form's peer goes. Backends that draw nothing drop it.
    virtual void WhenDrawn(Form& form, std::function<void()> task) {}
    virtual const FontMetrics& Metrics() const = 0;
    virtual ScreenMetrics Screen() const { return {}; }
    virtual void ScreenMousePointerChanged(Integer pointer) {}
    // The last loaded form went away: the program ends.
    virtual void LastFormUnloaded() {}
};

// The backend in use (a null backend when none was set). SetBackend(nullptr) restores it.
Backend& backend();
void SetBackend(Backend* backend);

}  // namespace forms
