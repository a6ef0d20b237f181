// Picture boxes as drawing surfaces: the display list, the pen, measuring.
#include <gtest/gtest.h>

#include "sample_form.h"

namespace formtest {
namespace {

using Kind = forms::DrawOp::Kind;

class Drawing : public ::testing::Test {
protected:
    void SetUp() override { pic.Move(120, 840, 2055, 1215); }
    ::drive::TestHost host;
    Sample form;
    forms::PictureBox& pic = form.Pic;
};

TEST_F(Drawing, InnerSizeLeavesOutTheBorder) {
    EXPECT_EQ(pic.ScaleWidth(), 2055 - 60);
    EXPECT_EQ(pic.ScaleHeight(), 1215 - 60);
    pic.BorderStyle(0);
    EXPECT_EQ(pic.ScaleWidth(), 2055);
}

TEST_F(Drawing, PrintPlacesTextAtThePenAndMovesItDown) {
    pic.FontName("MS Sans Serif").FontSize(8.25f).FontBold(true);
    pic.CurrentX(100);
    pic.CurrentY(50);
    pic.Print({"12"});
    ASSERT_EQ(pic.DisplayList().size(), 1u);
    const auto& op = pic.DisplayList()[0];
    EXPECT_EQ(op.kind, Kind::Text);
    EXPECT_EQ(op.text, "12");
    EXPECT_EQ(op.x1, 100);
    EXPECT_EQ(op.y1, 50);
    EXPECT_TRUE(op.font.Bold);
    EXPECT_FLOAT_EQ(pic.CurrentX(), 0);
    EXPECT_FLOAT_EQ(pic.CurrentY(), 50 + pic.TextHeight("12"));
    // Widths come from the metrics: "12" is two digits of 556/1000 em at 8.25 points.
    EXPECT_FLOAT_EQ(pic.TextWidth("12"), static_cast<float>(2 * 556 * 8.25 * 20 / 1000));
    EXPECT_FLOAT_EQ(pic.TextWidth("ab\r\nabc"), pic.TextWidth("abc"));
    EXPECT_FLOAT_EQ(pic.TextHeight("a\r\nb"), 2 * pic.TextHeight());
}

TEST_F(Drawing, LinesBoxesAndCls) {
    pic.ForeColor(0x800000);
    pic.Line(0, 100, 0, 0);
    pic.LineTo(50, 0, 0xFFFFFF);
    pic.Box(10, 10, 20, 30, -1, true);
    ASSERT_EQ(pic.DisplayList().size(), 3u);
    EXPECT_EQ(pic.DisplayList()[0].color, 0x800000);
    EXPECT_EQ(pic.DisplayList()[1].x1, 0);
    EXPECT_EQ(pic.DisplayList()[1].y1, 0);
    EXPECT_EQ(pic.DisplayList()[1].color, 0xFFFFFF);
    EXPECT_EQ(pic.DisplayList()[2].kind, Kind::FilledBox);
    EXPECT_FLOAT_EQ(pic.CurrentX(), 20);
    pic.Cls();
    EXPECT_TRUE(pic.DisplayList().empty());
    EXPECT_FLOAT_EQ(pic.CurrentX(), 0);
    EXPECT_FLOAT_EQ(pic.CurrentY(), 0);
}

TEST_F(Drawing, PaintRunsWhenShownRefreshedOrMadeVisible) {
    forms::Load(form);
    form.Take();
    pic.Refresh();  // the form is hidden: nothing to paint
    EXPECT_TRUE(form.Take().empty());
    form.Show();
    form.Take();
    pic.Refresh();
    pic.Visible(false);
    pic.Visible(true);
    EXPECT_EQ(form.Take(), (Events{"Pic_Paint", "Pic_Paint"}));
}

}  // namespace
}  // namespace formtest
