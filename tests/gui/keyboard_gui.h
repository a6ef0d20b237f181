#pragma once
// What a keyboard or screen-reader user meets in a window on the Qt desktop: the widgets Tab
// stops on, and what they are called.
#include <QApplication>
#include <QString>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/picture.h"
#include "platform/qt/accessible.h"
#include "platform/qt/qtui.h"

namespace gui {

// Whether the widget of the control has the focus of the application.
inline bool FocusOn(const forms::Control& c) {
    QWidget* w = qtui::WidgetOf(c);
    QWidget* f = QApplication::focusWidget();
    return w && f && (f == w || w->isAncestorOf(f));
}

// Every widget of the form's window that Tab can stop on and that has no accessible name, as
// "Form: Class objectName (under parent)".
inline std::vector<std::string> UnnamedTabStops(const forms::Form& form) {
    std::vector<std::string> out;
    QWidget* window = qtui::WindowOf(form);
    if (!window) return {form.Name() + ": no window"};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->accessibleName().trimmed().isEmpty()) continue;
        if (w->focusProxy()) continue;  // the focus goes to the proxy, which is looked at itself
        if (w->window()->windowType() == Qt::Popup) continue;  // an open drop-down's list
        if (w->inherits("QMdiSubWindow")) continue;            // a window: its title names it
        QString parent = w->parentWidget() ? w->parentWidget()->objectName() : QString();
        out.push_back(form.Name() + ": " + w->metaObject()->className() + " " + w->objectName().toStdString() +
                      " (under " + parent.toStdString() + ")");
    }
    return out;
}

// The picture boxes of the form that Tab stops on although they handle no key.
inline std::vector<std::string> DrawOnlyTabStops(const forms::Form& form) {
    std::vector<std::string> out;
    for (const forms::Control* c : form.Controls()) {
        if (c->Kind() != forms::ControlKind::PictureBox || c->KeyDown || c->KeyPress || c->KeyUp) continue;
        if (QWidget* w = qtui::WidgetOf(*c); w && (w->focusPolicy() & Qt::TabFocus))
            out.push_back(form.Name() + "." + c->Name());
    }
    return out;
}

// The shown controls that take the focus, and the labels, that their window or a container cuts
// off in part: some of them lies outside a widget they stand in. A control parked wholly outside
// is not counted, nor are frames, lines and bars, which may reach past an edge on purpose.
inline std::vector<std::string> CutOffControls(const forms::Form& form) {
    std::vector<std::string> out;
    QWidget* window = qtui::WindowOf(form);
    if (!window) return {form.Name() + ": no window"};
    for (const forms::Control* c : form.Controls()) {
        if (!c->TakesFocus() && c->Kind() != forms::ControlKind::Label) continue;
        QWidget* w = qtui::WidgetOf(*c);
        if (!w || !w->isVisibleTo(window) || w->size().isEmpty()) continue;
        const QRect whole(w->mapTo(window, QPoint(0, 0)), w->size());
        QRect shown = whole;
        for (QWidget* p = w->parentWidget(); p && shown.isValid(); p = p == window ? nullptr : p->parentWidget())
            shown &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
        if (shown.isValid() && shown != whole) {
            const int index = c->Index();
            out.push_back(form.Name() + "." + c->Name() + (index < 0 ? "" : "(" + std::to_string(index) + ")"));
        }
    }
    return out;
}

// The names that do not tell the form's controls apart, or that say more than the few words a
// user reads at a control: "Form: name (Control, Control)" for one name of two controls that take
// the focus, "Form.Control: name" for a name of over 40 characters. A control that is hidden, or
// that a container stacked above it hides (a wizard's page not on top), is not counted.
inline std::vector<std::string> SharedOrLongNames(const forms::Form& form) {
    std::map<QString, std::vector<std::string>> byName;
    std::vector<std::string> out;
    QWidget* window = qtui::WindowOf(form);
    for (const forms::Control* c : form.Controls()) {
        QWidget* w = qtui::WidgetOf(*c);
        if (!c->TakesFocus() || !w || !window || !w->isVisibleTo(window) || c->Covered()) continue;
        const std::string id = c->Name() + (c->Index() < 0 ? "" : "(" + std::to_string(c->Index()) + ")");
        const QString name = w->accessibleName();
        byName[name].push_back(id);
        if (name.size() > 40) out.push_back(form.Name() + "." + id + ": " + name.toStdString());
    }
    for (const auto& [name, ids] : byName) {
        if (ids.size() < 2) continue;
        std::string line = form.Name() + ": " + name.toStdString() + " (";
        for (const std::string& id : ids) line += (&id == &ids.front() ? "" : ", ") + id;
        out.push_back(line + ")");
    }
    return out;
}

// What a keyboard user would trip over in those windows: Tab stops without a name, names that do
// not tell controls apart, and pictures that only draw but stop Tab.
inline std::vector<std::string> TabStopFaults(const std::vector<const forms::Form*>& windows) {
    std::vector<std::string> out;
    for (const forms::Form* f : windows) {
        for (std::string& s : UnnamedTabStops(*f)) out.push_back("unnamed " + std::move(s));
        for (std::string& s : SharedOrLongNames(*f)) out.push_back("name " + std::move(s));
        for (std::string& s : DrawOnlyTabStops(*f)) out.push_back("draws only " + std::move(s));
    }
    return out;
}

}  // namespace gui
