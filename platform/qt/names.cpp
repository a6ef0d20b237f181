#include "platform/qt/names.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

#include "platform/core/text.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"

namespace qtui {

namespace {

using forms::Control;
using forms::ControlKind;

// Twips. A caption drawn a pixel or two into the control's row or column still counts as beside
// it; a label names a control on its row up to 40 pixels away, one above it up to 30.
constexpr double kSlack = 60;
constexpr double kNearOnRow = 600;
constexpr double kNearAbove = 450;

const std::string* CaptionOf(const Control& c) {
    switch (c.Kind()) {
    case ControlKind::Label: return &static_cast<const forms::Label&>(c).Caption();
    case ControlKind::CommandButton: return &static_cast<const forms::CommandButton&>(c).Caption();
    case ControlKind::CheckBox: return &static_cast<const forms::CheckBox&>(c).Caption();
    case ControlKind::OptionButton: return &static_cast<const forms::OptionButton&>(c).Caption();
    case ControlKind::Frame: return &static_cast<const forms::Frame&>(c).Caption();
    default: return nullptr;
    }
}

bool HasWords(std::string_view text) {
    for (char ch : text) {
        std::string_view one(&ch, 1);
        if (vb::UCase(one) != vb::LCase(one) || ch == '\xDF') return true;
    }
    return false;
}

struct Box {
    double left, top, right, bottom;
    explicit Box(const Control& c)
        : left(c.Left()), top(c.Top()), right(c.Left() + c.Width()), bottom(c.Top() + c.Height()) {}
    bool SharesRow(const Box& o) const { return o.top < bottom && o.bottom > top; }
    bool SharesColumn(const Box& o) const { return o.left < right && o.right > left; }
};

// The labels of a container, and the controls that take the focus there (a label never names
// a control past another one).
struct Neighbours {
    std::vector<const forms::Label*> labels;
    std::vector<Box> stops;
};

Neighbours Around(const Control& c) {
    Neighbours n;
    for (const Control* other : c.Parent().Controls()) {
        if (other == &c || other->Container() != c.Container()) continue;
        if (other->Kind() == ControlKind::Label) n.labels.push_back(static_cast<const forms::Label*>(other));
        else if (other->TakesFocus()) n.stops.push_back(Box(*other));
    }
    return n;
}

// A label's or frame's caption as a name: a remark in brackets after its words ("Mail Server
// ( Your SMTP Mail Server's Name )") is help, not the name.
std::string Heading(std::string_view caption) {
    std::string text = NameText(caption);
    if (std::size_t open = text.find(" ("); open != std::string::npos && HasWords(text.substr(0, open)))
        text = NameText(text.substr(0, open));
    return text;
}

// A caption, not a read-out: words, and no box drawn around it.
std::string Caption(const forms::Label& l) {
    if (l.BorderStyle() == forms::vbFixedSingle) return {};
    std::string text = Heading(l.Caption());
    return HasWords(text) ? text : std::string();
}

struct Found {
    std::string name;
    double gap = std::numeric_limits<double>::max();
};

// The run of labels that ends just left of the control on its row ("Calories 1064 kcal" before
// a bar): its leftmost caption; the gap is to the nearest of them.
Found OnItsLeft(const Box& at, const Neighbours& n) {
    auto blocked = [&](double from, double to) {
        return std::any_of(n.stops.begin(), n.stops.end(), [&](const Box& s) {
            return at.SharesRow(s) && s.left >= from - kSlack && s.right <= to + kSlack;
        });
    };
    Found found;
    double edge = at.left;  // the left end of the run so far
    bool first = true;
    for (;;) {
        const forms::Label* next = nullptr;
        double nextGap = kNearOnRow;
        for (const forms::Label* l : n.labels) {
            Box b(*l);
            double gap = edge - b.right;
            if (!at.SharesRow(b) || b.left >= edge || b.right > edge + kSlack || gap > nextGap ||
                blocked(b.right, at.left))
                continue;
            if (!next || gap < nextGap) {
                next = l;
                nextGap = gap;
            }
        }
        if (!next) break;
        if (first) found.gap = std::max(0.0, nextGap);
        first = false;
        if (std::string caption = Caption(*next); !caption.empty()) found.name = std::move(caption);
        edge = next->Left();
    }
    if (found.name.empty()) found.gap = std::numeric_limits<double>::max();
    return found;
}

// The row of labels just above the control that share some of its width: its leftmost caption.
Found Above(const Box& at, const Neighbours& n) {
    double nearest = kNearAbove + kSlack;
    for (const forms::Label* l : n.labels) {
        Box b(*l);
        if (at.SharesColumn(b) && b.bottom <= at.top + kSlack && !Caption(*l).empty())
            nearest = std::min(nearest, std::max(0.0, at.top - b.bottom));
    }
    Found found;
    if (nearest > kNearAbove) return found;
    double leftmost = std::numeric_limits<double>::max();
    for (const forms::Label* l : n.labels) {
        Box b(*l);
        if (!at.SharesColumn(b) || b.bottom > at.top + kSlack || std::abs(std::max(0.0, at.top - b.bottom) - nearest) > kSlack)
            continue;
        if (std::string caption = Caption(*l); !caption.empty() && b.left < leftmost) {
            found.name = std::move(caption);
            leftmost = b.left;
        }
    }
    found.gap = nearest;
    return found;
}

std::string Beside(const Control& c) {
    const Neighbours n = Around(c);
    const Box at(c);
    Found left = OnItsLeft(at, n), above = Above(at, n);
    return left.gap <= above.gap ? left.name : above.name;
}

}  // namespace

// "&&" is an ampersand; line breaks and runs of blanks become one blank.
std::string NameText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char ch = text[i];
        if (ch == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') out += text[++i];
            continue;
        }
        if (static_cast<unsigned char>(ch) < 0x20) ch = ' ';
        if (ch == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += ch;
    }
    while (!out.empty() && (out.back() == ':' || out.back() == ' ')) out.pop_back();
    return out;
}

std::string AccessibleName(const Control& control) {
    if (std::string given = NameText(control.AccessibleName()); !given.empty()) return given;
    // A caption of signs only ("...", ">>") says less than a tip or a label beside the control.
    std::string signs;
    if (const std::string* caption = CaptionOf(control)) {
        if (std::string own = NameText(*caption); HasWords(own)) return own;
        else signs = std::move(own);
    }
    if (std::string tip = NameText(control.ToolTipText()); !tip.empty()) return tip;
    // A label used as a link says what it shows: a blank one is no part of its frame's title.
    if (control.Kind() == ControlKind::Label) return signs;
    if (!signs.empty()) {
        if (std::string label = Beside(control); !label.empty()) return label;
        return signs;
    }
    for (const Control* c = &control; c; c = c->Container()) {
        if (c != &control) {
            if (const std::string* caption = CaptionOf(*c)) {
                if (std::string own = Heading(*caption); !own.empty()) return own;
            }
        }
        if (std::string label = Beside(*c); !label.empty()) return label;
    }
    for (const forms::Form* f = &control.Parent(); f; f = f->MDIParent())
        if (std::string title = NameText(f->Caption()); !title.empty()) return title;
    return NameText(forms::App().Title());
}

}  // namespace qtui
