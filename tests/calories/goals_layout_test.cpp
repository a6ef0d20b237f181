// The goal windows' layout: every caption fits its control, every control lies inside its
// container, and no two controls of one container overlap.
#include "goals_fixture.h"

#include <string>

namespace goalstest {
namespace {

struct Box {
    double left, top, right, bottom;
};

Box BoxOf(const forms::Control& c) { return {c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()}; }

std::string Describe(const forms::Control& c) {
    return c.Name() + (c.Index() >= 0 ? "(" + std::to_string(c.Index()) + ")" : "");
}

// The caption and the room a control gives it (a check box or option button keeps its box).
std::pair<std::string, double> CaptionRoom(const forms::Control& c) {
    switch (c.Kind()) {
    case forms::ControlKind::Label: return {static_cast<const forms::Label&>(c).Caption(), c.Width()};
    case forms::ControlKind::CheckBox:
        return {static_cast<const forms::CheckBox&>(c).Caption(), c.Width() - 330};
    case forms::ControlKind::OptionButton:
        return {static_cast<const forms::OptionButton&>(c).Caption(), c.Width() - 330};
    case forms::ControlKind::CommandButton:
        return {static_cast<const forms::CommandButton&>(c).Caption(), c.Width() - 120};
    case forms::ControlKind::Frame: return {static_cast<const forms::Frame&>(c).Caption(), c.Width() - 240};
    default: return {"", c.Width()};
    }
}

void CheckLayout(const forms::Form& form) {
    forms::FixedMetrics metrics;
    const std::vector<forms::Control*>& controls = form.Controls();
    for (const forms::Control* c : controls) {
        if (c->Kind() == forms::ControlKind::Line) continue;
        auto [caption, room] = CaptionRoom(*c);
        std::string shown;
        for (char ch : caption)
            if (ch != '&') shown += ch;
        // Room for a wider screen font than the measuring table.
        EXPECT_LE(metrics.TextWidth(c->Font(), shown) * 1.15, room) << form.Name() << "." << Describe(*c);

        const Box b = BoxOf(*c);
        const double width = c->Container() ? c->Container()->Width() : form.ScaleWidth();
        const double height = c->Container() ? c->Container()->Height() : form.ScaleHeight();
        EXPECT_TRUE(b.left >= 0 && b.top >= 0 && b.right <= width && b.bottom <= height)
            << form.Name() << "." << Describe(*c) << " lies outside its container";
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const forms::Control* a = controls[i];
            const forms::Control* b = controls[j];
            if (a->Container() != b->Container() || a->Kind() == forms::ControlKind::Line ||
                b->Kind() == forms::ControlKind::Line)
                continue;
            const Box x = BoxOf(*a), y = BoxOf(*b);
            const bool apart = x.right <= y.left || y.right <= x.left || x.bottom <= y.top || y.bottom <= x.top;
            EXPECT_TRUE(apart) << form.Name() << ": " << Describe(*a) << " overlaps " << Describe(*b);
        }
    }
}

TEST_F(GoalWindowTest, CaloricNeedsLayout) {
    calories::calcalintake& w = FirstRun();
    // Widest texts the window shows.
    drive::ChooseItem(w.Combo1, "Female(Pregnant)");
    drive::ScrollTo(w.HScroll2, 300);
    drive::ScrollTo(w.HScroll3, 10);
    drive::ScrollTo(w.HScroll5, 300);
    drive::ScrollTo(w.HScroll11, 2000);
    drive::Click(w.Option1[1]);
    drive::ScrollTo(w.HScroll12, 365);
    CheckLayout(w);
}

TEST_F(GoalWindowTest, SideWindowLayouts) {
    calories::weight& h = weight();
    drive::ScrollTo(h.HScroll1, 82);
    CheckLayout(h);
    calories::Metric& m = metric();
    CheckLayout(m);
    CheckLayout(faq());
}

}  // namespace
}  // namespace goalstest
