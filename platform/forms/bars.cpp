#include "platform/forms/bars.h"

#include "platform/core/error.h"

namespace forms {

void Panel::Notify() { bar_->Notify(Property::Panel, index_); }

Panel& Panel::Text(std::string v) {
    if (text_ == v) return *this;
    text_ = std::move(v);
    Notify();
    return *this;
}

Panel& Panel::Width(Single v) { width_ = v; Notify(); return *this; }
Panel& Panel::Alignment(Integer v) { alignment_ = v; Notify(); return *this; }
Panel& Panel::AutoSize(Integer v) { autoSize_ = v; Notify(); return *this; }

StatusBar::StatusBar(Form& form, std::string name, int index) : Widget(ControlKind::StatusBar, form, std::move(name), index) {}

Panel& StatusBar::AddPanel(std::string text) {
    panels_.push_back(Panel(*this, PanelCount() + 1));
    panels_.back().text_ = std::move(text);
    Notify(Property::Panel, PanelCount());
    return panels_.back();
}

Panel& StatusBar::Panels(int index) {
    if (index < 1 || index > PanelCount()) throw vb::Error(35600, "Index out of bounds");
    return panels_[static_cast<std::size_t>(index - 1)];
}

StatusBar& StatusBar::Style(Integer v) { style_ = v; Notify(Property::Style); return *this; }

StatusBar& StatusBar::SimpleText(std::string v) {
    if (simpleText_ == v) return *this;
    simpleText_ = std::move(v);
    Notify(Property::Text);
    return *this;
}

void Tool::Notify() { bar_->Notify(Property::Tool, index_); }

Tool& Tool::Caption(std::string v) { caption_ = std::move(v); Notify(); return *this; }
Tool& Tool::ToolTipText(std::string v) { tip_ = std::move(v); Notify(); return *this; }
Tool& Tool::Band(std::string v) { band_ = std::move(v); Notify(); return *this; }
Tool& Tool::Picture(std::string path) { picture_ = std::move(path); Notify(); return *this; }
Tool& Tool::BeginGroup(bool v) { beginGroup_ = v; Notify(); return *this; }

Tool& Tool::Checked(bool v) {
    if (checked_ == v) return *this;
    checked_ = v;
    Notify();
    return *this;
}

Tool& Tool::Enabled(bool v) {
    if (enabled_ == v) return *this;
    enabled_ = v;
    Notify();
    return *this;
}

Tool& Tool::Visible(bool v) {
    if (visible_ == v) return *this;
    visible_ = v;
    Notify();
    return *this;
}

Toolbar::Toolbar(Form& form, std::string name, int index) : Widget(ControlKind::Toolbar, form, std::move(name), index) {}

Tool& Toolbar::AddTool(std::string name) {
    int index = static_cast<int>(tools_.size());
    tools_.push_back(Tool(*this, std::move(name), index));
    Notify(Property::Tools);
    return tools_.back();
}

Tool* Toolbar::FindTool(std::string_view name) {
    for (Tool& t : tools_)
        if (t.Name() == name) return &t;
    return nullptr;
}

Tool& Toolbar::Tools(std::string_view name) {
    if (Tool* t = FindTool(name)) return *t;
    throw vb::Error(35601, "Element not found");
}

}  // namespace forms
