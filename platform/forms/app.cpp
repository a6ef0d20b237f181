#include <algorithm>

#include "platform/forms/detail.h"
#include "platform/forms/input.h"
#include "platform/forms/menu.h"

namespace forms {

namespace {

// Runs without windows: modal shows return at once, pop-up menus are dismissed.
class NullBackend : public Backend {
public:
    void Attach(Form&) override {}
    void RunModal(Form&) override {}
    Menu* PopupMenu(Form&, Menu&, Integer, Single, Single, bool) override { return nullptr; }
    const FontMetrics& Metrics() const override { return metrics_; }

private:
    FixedMetrics metrics_;
};

NullBackend& Null() {
    static NullBackend backend;
    return backend;
}

Backend* g_backend = nullptr;

}  // namespace

Backend& backend() { return g_backend ? *g_backend : Null(); }
void SetBackend(Backend* b) { g_backend = b; }

namespace detail {

AppState& State() {
    static AppState state;
    return state;
}

EventScope::EventScope() { ++State().depth; }
EventScope::~EventScope() { --State().depth; }

}  // namespace detail

int EventDepth() { return detail::State().depth; }

const std::vector<Form*>& Forms() { return detail::State().forms; }

Single ScreenObject::Width() const { return backend().Screen().width; }
Single ScreenObject::Height() const { return backend().Screen().height; }
int ScreenObject::TwipsPerPixelX() const { return backend().Screen().twipsPerPixelX; }
int ScreenObject::TwipsPerPixelY() const { return backend().Screen().twipsPerPixelY; }
Integer ScreenObject::MousePointer() const { return detail::State().screenPointer; }

void ScreenObject::MousePointer(Integer pointer) {
    if (detail::State().screenPointer == pointer) return;
    detail::State().screenPointer = pointer;
    backend().ScreenMousePointerChanged(pointer);
}

Form* ScreenObject::ActiveForm() const {
    Form* top = detail::State().activeTop;
    if (top && top->IsMDIForm() && top->ActiveMDIChild()) return top->ActiveMDIChild();
    return top;
}

Control* ScreenObject::ActiveControl() const {
    Form* f = ActiveForm();
    return f ? f->ActiveControl() : nullptr;
}

ScreenObject& Screen() {
    static ScreenObject screen;
    return screen;
}

AppObject& App() {
    static AppObject app;
    return app;
}

void DoEvents() { backend().DoEvents(); }

void ResetApplication() {
    auto& st = detail::State();
    std::vector<Form*> forms = st.forms;
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) detail::Discard(**it);
    st.forms.clear();
    st.activation.clear();
    st.activeTop = nullptr;
    st.screenPointer = vbDefault;
    App() = AppObject();
}

}  // namespace forms
