#pragma once
// Status bar with panels, and toolbar with named tools.
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "platform/forms/control.h"

namespace forms {

class StatusBar;

class Panel {
public:
    const std::string& Text() const { return text_; }
    Panel& Text(std::string v);
    Single Width() const { return width_; }
    Panel& Width(Single v);
    Integer Alignment() const { return alignment_; }
    Panel& Alignment(Integer v);
    // 0 none, 1 spring (takes the rest of the bar), 2 fits its contents.
    Integer AutoSize() const { return autoSize_; }
    Panel& AutoSize(Integer v);
    const std::string& Key() const { return key_; }
    Panel& Key(std::string v) { key_ = std::move(v); return *this; }
    int Index() const { return index_; }  // from 1

private:
    friend class StatusBar;
    Panel(StatusBar& bar, int index) : bar_(&bar), index_(index) {}
    void Notify();
    StatusBar* bar_;
    int index_;
    std::string text_;
    Single width_ = 1440;
    Integer alignment_ = vbLeftJustify;
    Integer autoSize_ = 0;
    std::string key_;
};

// Starts without panels; the form adds them in its constructor.
class StatusBar : public Widget<StatusBar> {
public:
    StatusBar(Form& form, std::string name, int index = -1);

    Panel& AddPanel(std::string text = "");
    // Panels from 1; error 35600 outside.
    Panel& Panels(int index);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    // With SimpleText shown (Style 1) the bar shows one text instead of the panels.
    Integer Style() const { return style_; }
    StatusBar& Style(Integer v);
    const std::string& SimpleText() const { return simpleText_; }
    StatusBar& SimpleText(std::string v);

private:
    friend class Panel;
    std::deque<Panel> panels_;
    Integer style_ = 0;
    std::string simpleText_;
};

class Toolbar;

// A named tool of a toolbar. Band "" puts it on the tool bar; any other band names the menu of the
// bar's own menu bar it belongs to ("File", "Help").
class Tool {
public:
    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    Tool& Caption(std::string v);
    const std::string& ToolTipText() const { return tip_; }
    Tool& ToolTipText(std::string v);
    const std::string& Band() const { return band_; }
    Tool& Band(std::string v);
    const std::string& Picture() const { return picture_; }
    Tool& Picture(std::string path);
    bool Checked() const { return checked_; }
    Tool& Checked(bool v);
    bool Enabled() const { return enabled_; }
    Tool& Enabled(bool v);
    bool Visible() const { return visible_; }
    Tool& Visible(bool v);
    // A separator line before the tool.
    bool BeginGroup() const { return beginGroup_; }
    Tool& BeginGroup(bool v);
    int Index() const { return index_; }

private:
    friend class Toolbar;
    Tool(Toolbar& bar, std::string name, int index) : bar_(&bar), name_(std::move(name)), index_(index) {}
    void Notify();
    Toolbar* bar_;
    std::string name_;
    int index_;
    std::string caption_;
    std::string tip_;
    std::string band_;
    std::string picture_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool beginGroup_ = false;
};

class Toolbar : public Widget<Toolbar> {
public:
    Toolbar(Form& form, std::string name, int index = -1);

    Tool& AddTool(std::string name);
    // By name, compared exactly; error 35601 when there is none.
    Tool& Tools(std::string_view name);
    Tool* FindTool(std::string_view name);
    const std::deque<Tool>& AllTools() const { return tools_; }

    // Runs with the tool that was clicked.
    std::function<void(const Tool& tool)> ToolClick;

private:
    friend class Tool;
    std::deque<Tool> tools_;
};

}  // namespace forms
