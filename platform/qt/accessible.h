#pragma once
// What a screen reader is told of the controls whose widget alone would tell it wrong: a scroll
// bar's numbers are the control's own Value, Min and Max (the widget counts from 0 the other way
// round when Min is above Max); an option button is a radio button although the model, not the
// widget, clears its siblings; a drop-down is heard by its name with its text as the value; a
// picture box that a container stacked above hides wholly (a wizard's page not on top) is
// invisible, and one that takes the focus is a pane, not a window, that tells each new name it is
// given; a label is named by its own text only; an MDI child without a title says the name its
// form gives. These widget classes carry
// their own class name, for which this backend's interfaces are made.
#include <QAccessible>
#include <QComboBox>
#include <QFrame>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QScrollBar>
#include <functional>

namespace forms {
class Control;
class ScrollBar;
}  // namespace forms

namespace qtui {

class ReaderScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit ReaderScrollBar(Qt::Orientation orientation);
    // Cleared by the peer when the control goes.
    const forms::ScrollBar* bar = nullptr;
    // A value a screen reader sets, as the user's own move.
    std::function<void(int)> moveTo;
    // Tells the screen reader of the control's value when it is new, or when the widget told it
    // its own position (`moved`).
    void ValueShown(bool moved);

private:
    long told_ = 0x7FFFFFFF;
};

class ReaderOption : public QRadioButton {
    Q_OBJECT
public:
    ReaderOption();
};

class ReaderCombo : public QComboBox {
    Q_OBJECT
public:
    ReaderCombo();
};

class ReaderCanvas : public QFrame {
    Q_OBJECT
public:
    ReaderCanvas();
    ~ReaderCanvas() override;
    // The picture box it shows; cleared by the peer when the control goes.
    const forms::Control* control = nullptr;
    // A canvas that takes the focus (a grid moved by the keys) names what it has chosen; each new
    // name is a new chosen item, its child, which takes the reader's focus as a table's next cell
    // does. (Qt's own name change event gives a reader on Linux no text to speak.)
    void NameChanged();
    QAccessible::Id Chosen() const { return chosen_; }

private:
    QAccessible::Id chosen_ = 0;
};

// Makes this backend's interfaces the ones screen readers get (once; each control's peer asks).
void InstallAccessible();

// Hears the change events this backend tells screen readers, besides the desktop's bridge (for
// tests: the offscreen platform has none). An empty one stops.
void ListenAccessible(std::function<void(QAccessibleEvent&)> listener);

// The widget was given a new accessible name: Qt told the desktop's bridge, the listener hears it.
void NameChanged(QWidget* w);

// A container of the form was raised, lowered, shown or hidden: the pictures it may now cover.
void CoverChanged(const forms::Control& container);

// An MDI child's window: named by its form's AccessibleName when it gives one, else by its title.
class ReaderSubWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    ReaderSubWindow();
};

}  // namespace qtui
