#include <gtest/gtest.h>

#include <vector>

#include "fixed_clock.h"
#include "platform/core/date.h"

using namespace vb;

TEST(Clock, ReplaceableNowAndToday) {
    const Date at{DateSerial(2030, 1, 5).serial + 0.5};
    {
        FixedClock clock(at);
        EXPECT_EQ(Now(), at);
        EXPECT_EQ(Today(), DateSerial(2030, 1, 5));
        EXPECT_DOUBLE_EQ(Timer(), 43200.0);
    }
    EXPECT_GE(Year(Now()), 2024) << "system clock back";
}

TEST(Clock, RndRepeatsAfterRandomize) {
    auto draw = [] {
        std::vector<float> v;
        for (int i = 0; i < 5; ++i) v.push_back(Rnd());
        return v;
    };
    Randomize(42);
    auto first = draw();
    Rnd();
    Randomize(42);
    EXPECT_EQ(draw(), first);
    Randomize(43);
    EXPECT_NE(draw(), first);
    for (int i = 0; i < 1000; ++i) {
        float r = Rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
    }
}
