#pragma once
// Internal to the forms model: the application's state and event dispatch.
#include <utility>
#include <vector>

#include "platform/forms/form.h"

namespace forms::detail {

struct EventScope {
    EventScope();
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;
};

// Runs a handler when one is set. The handler is copied first, so it may replace itself.
template <class F, class... A>
void Fire(const F& handler, A&&... args) {
    if (!handler) return;
    F copy = handler;
    EventScope scope;
    copy(std::forward<A>(args)...);
}

struct AppState {
    std::vector<Form*> forms;       // loaded, in load order
    Form* activeTop = nullptr;      // the active top-level form
    std::vector<Form*> activation;  // top-level forms in activation order, most recent last
    Integer screenPointer = vbDefault;
    int depth = 0;
};
AppState& State();

// Model-level activation of a shown form (Activate/Deactivate, then the focus announcement).
void ActivateForm(Form& form);
// Paint of the form and its visible picture boxes.
void PaintAll(Form& form);
// Drops a form from the application without events.
void Discard(Form& form);
// A control of a visible, active form moved or lost the focus.
bool FormShowing(const Form& form);

}  // namespace forms::detail
