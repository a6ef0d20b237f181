// Status bars with panels, toolbars with named tools (and the bar's own menus for banded tools).
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWidgetAction>
#include <map>

#include "platform/forms/bars.h"
#include "platform/forms/input.h"
#include "platform/qt/barkeys.h"
#include "platform/qt/convert.h"
#include "platform/qt/kinds.h"
#include "platform/qt/names.h"

namespace qtui {

using forms::Property;

namespace {

class StatusBarPeer : public ControlPeer {
public:
    explicit StatusBarPeer(forms::StatusBar& bar)
        : ControlPeer(bar, new QStatusBar), bar_(bar), w_(static_cast<QStatusBar*>(widget_.data())) {
        w_->setSizeGripEnabled(false);
        // As much room on the right as the bar keeps on the left, so the last panel's frame shows.
        w_->setContentsMargins(0, 0, 2, 0);
    }
    void Init() override {
        ControlPeer::Init();
        for (int i = 1; i <= bar_.PanelCount(); ++i) ShowPanel(i);
        ShowStyle();
    }

protected:
    void Update(Property what, int index) override {
        if (what == Property::Panel) ShowPanel(index);
        else if (what == Property::Style || what == Property::Text) ShowStyle();
    }

private:
    void ShowPanel(int index) {
        while (static_cast<int>(panels_.size()) < bar_.PanelCount()) {
            auto* label = new QLabel(w_);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setTextFormat(Qt::PlainText);
            label->setMargin(1);
            panels_.push_back(label);
        }
        if (index < 1 || index > bar_.PanelCount()) return;
        forms::Panel& panel = bar_.Panels(index);
        QLabel* label = panels_[static_cast<std::size_t>(index - 1)];
        label->setText(ToQ(panel.Text()));
        label->setAlignment(Qt::AlignVCenter | (panel.Alignment() == forms::vbRightJustify ? Qt::AlignRight
                                                : panel.Alignment() == forms::vbCenter   ? Qt::AlignHCenter
                                                                                         : Qt::AlignLeft));
        if (panel.AutoSize() == 0) label->setFixedWidth(Px(panel.Width()));
        else {
            label->setMinimumWidth(panel.AutoSize() == 1 ? Px(panel.Width()) / 2 : 0);
            label->setMaximumWidth(QWIDGETSIZE_MAX);
        }
        // Springs stretch; re-adding all keeps the panels in their order.
        for (QLabel* l : panels_) w_->removeWidget(l);
        for (std::size_t i = 0; i < panels_.size(); ++i) {
            w_->addWidget(panels_[i], bar_.Panels(static_cast<int>(i) + 1).AutoSize() == 1 ? 1 : 0);
            panels_[i]->show();
        }
    }
    void ShowStyle() {
        if (bar_.Style() == 1) w_->showMessage(ToQ(bar_.SimpleText()));
        else w_->clearMessage();
    }
    forms::StatusBar& bar_;
    QStatusBar* w_;
    std::vector<QLabel*> panels_;
};

class ToolbarPeer : public ControlPeer {
public:
    explicit ToolbarPeer(forms::Toolbar& bar) : ControlPeer(bar, new QWidget), bar_(bar) {
        auto* layout = new QVBoxLayout(widget_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        menus_ = new QMenuBar(widget_);
        menus_->hide();
        tools_ = new QToolBar(widget_);
        tools_->setMovable(false);
        tools_->setFloatable(false);
        tools_->setToolButtonStyle(Qt::ToolButtonIconOnly);
        layout->addWidget(menus_);
        layout->addWidget(tools_);
        layout->addStretch(1);
        KeyboardMenuBar(menus_);
        KeyboardToolBar(tools_);
    }
    void Init() override {
        ControlPeer::Init();
        Rebuild();
    }
    QAction* ActionOf(int index) const {
        return index >= 0 && index < static_cast<int>(actions_.size()) ? actions_[static_cast<std::size_t>(index)] : nullptr;
    }

protected:
    void Update(Property what, int index) override {
        if (what == Property::Tools) Rebuild();
        else if (what == Property::Tool) ShowTool(index);
        else if (what == Property::Geometry) FitIcons();
    }

private:
    QWidget* Holder(const std::string& band) {
        if (band.empty()) return tools_;
        auto it = bandMenus_.find(band);
        if (it != bandMenus_.end()) return it->second;
        QMenu* m = menus_->addMenu(ToQ(band));
        bandMenus_[band] = m;
        menus_->show();
        return m;
    }
    void Rebuild() {
        for (QAction* a : actions_) delete a;
        for (QAction* a : separators_) delete a;
        actions_.clear();
        separators_.clear();
        for (const forms::Tool& tool : bar_.AllTools()) {
            QWidget* holder = Holder(tool.Band());
            QAction* sep = holder == tools_ ? GroupLine() : new QAction(holder);
            if (holder != tools_) sep->setSeparator(true);
            holder->addAction(sep);
            auto* a = new QAction(holder);
            holder->addAction(a);
            std::string name = tool.Name();
            QObject::connect(a, &QAction::triggered, Context(), [this, name] {
                if (Call([&] { forms::input::ClickTool(bar_, name); })) {
                    for (std::size_t i = 0; i < actions_.size(); ++i) ShowTool(static_cast<int>(i));
                }
            });
            separators_.push_back(sep);
            actions_.push_back(a);
        }
        for (std::size_t i = 0; i < actions_.size(); ++i) ShowTool(static_cast<int>(i));
        FitIcons();
    }
    void ShowTool(int index) {
        if (index < 0 || index >= static_cast<int>(bar_.AllTools().size())) return;
        if (index >= static_cast<int>(actions_.size())) {
            Rebuild();
            return;
        }
        const forms::Tool& tool = bar_.AllTools()[static_cast<std::size_t>(index)];
        QAction* a = actions_[static_cast<std::size_t>(index)];
        a->setText(ToQ(tool.Caption().empty() ? tool.Name() : tool.Caption()));
        a->setToolTip(ToQ(tool.ToolTipText().empty() ? tool.Caption() : tool.ToolTipText()));
        if (QWidget* button = tools_->widgetForAction(a)) {
            // The words on the tool; its tip is what the reader adds as the description.
            std::string name = NameText(tool.Caption());
            if (name.empty()) name = NameText(tool.ToolTipText());
            if (name.empty()) name = tool.Name();
            button->setAccessibleName(ToQ(name));
        }
        a->setIcon(tool.Picture().empty() ? QIcon() : QIcon(ToQ(tool.Picture())));
        a->setCheckable(tool.Checked());
        a->setChecked(tool.Checked());
        a->setEnabled(tool.Enabled());
        a->setVisible(tool.Visible());
        separators_[static_cast<std::size_t>(index)]->setVisible(tool.BeginGroup() && tool.Visible());
    }
    // Between two groups of tools: an etched groove across the whole bar.
    QAction* GroupLine() {
        auto* action = new QWidgetAction(tools_);
        auto* line = new QFrame;
        line->setObjectName(QStringLiteral("groupLine"));
        line->setFrameShadow(QFrame::Sunken);
        action->setDefaultWidget(line);
        ShapeGroupLine(line);
        return action;
    }
    void ShapeGroupLine(QFrame* line) {
        const bool upright = tools_->orientation() == Qt::Vertical;
        line->setFrameShape(upright ? QFrame::HLine : QFrame::VLine);
        line->setMinimumSize(0, 0);
        line->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (upright) line->setFixedHeight(kGroupGap);
        else line->setFixedWidth(kGroupGap);
    }
    void FitIcons() {
        // A bar taller than wide stands upright, its tools one under the other.
        const bool upright = bar_.Height() > bar_.Width();
        tools_->setOrientation(upright ? Qt::Vertical : Qt::Horizontal);
        for (QAction* sep : separators_)
            if (auto* w = qobject_cast<QWidgetAction*>(sep))
                if (auto* line = qobject_cast<QFrame*>(w->defaultWidget())) ShapeGroupLine(line);
        int h = upright ? Px(bar_.Width())
                        : Px(bar_.Height()) - (menus_->isVisibleTo(widget_) ? menus_->sizeHint().height() : 0);
        int side = std::clamp(h - 10, 16, 48);
        tools_->setIconSize(QSize(side, side));
    }
    static constexpr int kGroupGap = 10;  // pixels: the groove and the room on either side
    forms::Toolbar& bar_;
    QPointer<QMenuBar> menus_;
    QPointer<QToolBar> tools_;
    std::map<std::string, QMenu*> bandMenus_;
    std::vector<QAction*> actions_;
    std::vector<QAction*> separators_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeStatusBarPeer(forms::Control& c) {
    return std::make_unique<StatusBarPeer>(static_cast<forms::StatusBar&>(c));
}
std::unique_ptr<ControlPeer> MakeToolbarPeer(forms::Control& c) {
    return std::make_unique<ToolbarPeer>(static_cast<forms::Toolbar&>(c));
}

}  // namespace qtui
