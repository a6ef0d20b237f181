// The printout of the shown recipe: the title, the ingredients and the directions on the left, and
// on the right the Nutrition Facts panel printed label by label and rule by rule where the screen
// shows them, in a double box. The page is laid out in the viewer's own coordinates.
#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "platform/services/host.h"
#include "platform/services/printer.h"
#include "recipe/Recipe.h"
#include "recipe/viewer/ViewFrm.h"
#include "recipe/store/grammar.h"

namespace recipe {

namespace {

// Lines printed after a line end start at x: the scale's left edge moves there while this lives.
class Margin {
public:
    Margin(services::Printer& p, Single x) : p_(p), keep_(vb::CLng(static_cast<double>(p.ScaleLeft()))) {
        p_.CurrentX(x);
        p_.ScaleLeft(p_.ScaleLeft() - p_.CurrentX());
    }
    ~Margin() { p_.ScaleLeft(static_cast<Single>(keep_)); }
    Margin(const Margin&) = delete;
    Margin& operator=(const Margin&) = delete;

private:
    services::Printer& p_;
    vb::Long keep_;
};

}  // namespace

void ViewFrm::PrintThis(const forms::Label& label) {
    services::Printer& p = services::printer();
    p.CurrentX(Picture1.Left() + label.Left());
    p.CurrentY(Picture1.Top() + label.Top());
    p.FontSize(label.FontSize());
    p.FontBold(label.FontBold());
    p.FontName(label.FontName());
    p.Print({label.Caption()});
}

void ViewFrm::PrintLines(const forms::Line& line) {
    services::Printer& p = services::printer();
    p.DrawWidth(line.BorderWidth());
    // Every rule runs to the panel's right edge.
    p.Line(Picture1.Left() + line.X1(), Picture1.Top() + line.Y1(), Picture1.Left() + Picture1.Width(),
           Picture1.Top() + line.Y2());
}

void ViewFrm::PrintText(const forms::TextBox& box) {
    services::Printer& p = services::printer();
    const std::string s = vb::RTrim(box.Text());
    Margin margin(p, box.Left() * 0.5f);
    if (s.empty()) return;
    // Each line of the text is wrapped on its own, so its line ends stay where the user put them.
    forms::ForEachLine(s, [&](std::string_view paragraph) {
        const std::string text = vb::RTrim(paragraph);
        if (text.empty()) {
            p.Print();
        } else {
            PrintWrapped(text, box.Width(), true);
        }
    });
}

void ViewFrm::PrintWrapped(std::string_view text, Single width, bool yield) {
    services::Printer& p = services::printer();
    std::string line;
    std::size_t k = 0;  // characters since the last blank: the word in progress
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        ++k;
        if (c == ' ') k = 0;
        line += c;
        bool broke = false;
        if (p.TextWidth(line) >= width) {
            broke = true;
            if (k < line.size()) {
                // Break at the last blank; the word in progress starts the next line.
                p.Print({vb::RTrim(std::string_view(line).substr(0, line.size() - k))});
                line = vb::LTrim(std::string_view(line).substr(line.size() - k));
            } else if (line.size() > 1) {
                // A word wider than the box breaks before the character that reached the width.
                p.Print({std::string_view(line).substr(0, line.size() - 1)});
                line.erase(0, line.size() - 1);
                k = 1;
            } else {
                p.Print({line});
                line.clear();
                k = 0;
            }
        }
        if (i + 1 == text.size()) {
            const std::string last = vb::LTrim(line);
            if (!(broke && last.empty())) p.Print({last});
        }
        if (yield) forms::DoEvents();
    }
}

void ViewFrm::PrintRecipe() {
    services::Printer& p = services::printer();
    printing_ = true;
    Label4.Left(15);
    Label6.FontName("Arial");
    MousePointer(forms::vbHourglass);
    // The screen comes back whichever way the print ends.
    struct Restore {
        ViewFrm& v;
        ~Restore() {
            v.Label6.FontName("Small Fonts");
            v.Label4.Left(0);
            v.MousePointer(forms::vbDefault);
            v.printing_ = false;
        }
    } restore{*this};

    // The view centred across the page and 600 twips to the left, a quarter of the spare height
    // above it.
    const double pageWidth = vb::CLng(static_cast<double>(p.Width()));
    const double pageHeight = vb::CLng(static_cast<double>(p.Height()));
    p.ScaleLeft(static_cast<Single>(600 - (pageWidth - Width()) / 2));
    p.ScaleTop(static_cast<Single>(-(pageHeight - Height()) / 4));

    const Single left = Picture1.Left(), top = Picture1.Top();
    const Single right = left + Picture1.Width(), bottom = top + Picture1.Height();
    p.Box(left, top, right, bottom);
    p.DrawWidth(3);
    p.Box(left, top, right, bottom);

    p.FontSize(Label1.FontSize() + 2);
    p.FontBold(Label1.FontBold());
    p.FontName(Label1.FontName());
    p.FontUnderline(true);
    p.CurrentX(R_IngLst.Left() * 0.5f);
    p.CurrentY((p.ScaleTop() + top) / 2);
    p.Print({RecipeLst.Text()});
    p.FontUnderline(false);

    p.PrintQuality(-4);
    for (const forms::Label* l : {&Label4, &Label5, &lbl1M, &Label6, &Label7, &lblCals, &Label8, &lblFCals, &Label9,
                                  &Label10, &lblFg, &lblFP, &Label12, &lblCg, &lblCP, &Label13, &lblSg, &lblSP,
                                  &Label14, &lblTCg, &lblTCP, &Label15, &lblPg, &lblPP, &Label2, &Label17, &Label3,
                                  &Label11, &Label16, &Label18, &Label23, &lblSFg, &lblSFP, &lblTFg, &lblTFP})
        PrintThis(*l);
    for (const forms::Line* l : {&Line2, &Line3, &Line4, &Line5, &Line6, &Line7, &Line8, &Line9, &Line10, &Line11,
                                 &Line12, &Line13})
        PrintLines(*l);

    if (vb::RoundHalfEven(vb::Val(lblCals.Caption())) > 0) {
        p.CurrentX(Label19.Left());
        p.CurrentY(Label19.Top());
        p.FontBold(true);
        p.FontUnderline(true);
        p.FontSize(Label19.FontSize() + 1);
        p.Print({Label19.Caption()});
        p.CurrentX(Label20.Left());
        p.CurrentY(Label20.Top());
        p.FontBold(false);
        p.FontUnderline(false);
        p.FontSize(Label20.FontSize() + 1);
        p.Print({Label20.Caption()});
        for (const forms::Label* l : {&Label21, &Label22}) {
            p.CurrentX(l->Left());
            p.CurrentY(l->Top());
            p.Print({l->Caption()});
        }
    }

    const Single x = R_IngLst.Left() * 0.5f;
    const Single size = R_IngLst.FontSize();
    p.CurrentY(top);
    p.CurrentX(x);
    p.FontName("Arial");
    p.FontBold(true);
    p.FontUnderline(true);
    p.FontSize(size + 2);
    p.Print({"List of Ingredients:\r\n"});
    p.FontBold(false);
    p.FontUnderline(false);
    p.FontSize(size + 1);
    for (int i = 0; i < R_IngLst.ListCount(); ++i) {
        const std::string stored = InvisLst.List(i);
        const bool heading = stored.size() >= 2 && stored[1] == grammar::kHeading;
        p.FontBold(heading);
        // A line too long for the list's width goes on under itself rather than into the panel.
        Margin margin(p, x);
        const std::string shown = R_IngLst.List(i);
        if (shown.empty()) {
            p.Print();
        } else {
            PrintWrapped(shown, R_IngLst.Width(), false);
        }
    }
    p.FontBold(false);
    p.Print();

    p.CurrentX(x);
    p.FontBold(true);
    p.FontUnderline(true);
    p.FontSize(size + 2);
    p.Print({"Instructions for preparation"});
    p.FontBold(false);
    p.FontUnderline(false);
    p.FontSize(size + 1);
    PrintText(DirectionsTxt);

    try {
        p.EndDoc();
    } catch (const vb::Error& e) {
        services::MsgBox("The recipe could not be printed.\r\n\r\n" + e.description, services::vbExclamation,
                         "Print");
    }
}

}  // namespace recipe
