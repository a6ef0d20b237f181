// Group texts held once: the field behaves as the fixed-width field it stands for, and records
// with the same bytes share one copy, also when read on several threads.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "calories/fooditem.h"
#include "calories/mealitem.h"
#include "calories/sharedtext.h"

namespace {

using calories::SharedFixedString;
using Field = SharedFixedString<8>;
using Fixed = files::FixedString<8>;

TEST(SharedText, BehavesAsTheFixedWidthField) {
    const struct {
        const char* name;
        Field shared;
        Fixed fixed;
    } cases[] = {
        {"never filled", Field(), Fixed()},
        {"short text padded", Field("Beef"), Fixed("Beef")},
        {"long text cut", Field("Vegetables"), Fixed("Vegetables")},
        {"empty text is blanks", Field(""), Fixed("")},
        {"Windows-1252 bytes", Field("Caf\xE9"), Fixed("Caf\xE9")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.shared.view(), c.fixed.view());
        EXPECT_EQ(c.shared.str(), c.fixed.str());
        EXPECT_EQ(c.shared.fixed(), c.fixed);
        EXPECT_EQ(Field(c.fixed), c.shared);
    }
    Field raw;
    raw.SetRaw(std::string_view("ab\0c", 4));
    EXPECT_EQ(raw.view(), std::string_view("ab\0c\0\0\0\0", 8));
    EXPECT_NE(raw, Field("ab"));
}

TEST(SharedText, EqualBytesShareOneCopy) {
    Field a("Soups"), b;
    b = std::string("Soups   ");
    EXPECT_EQ(&a.fixed(), &b.fixed());
    EXPECT_EQ(a, b);
    b = "Fish";
    EXPECT_NE(a, b);
    EXPECT_EQ(a.view(), "Soups   ");  // a value never changes under another record

    // Texts alike in their first words stay apart, whichever came last.
    using Group = SharedFixedString<60>;
    const Group raw("Vegetables and legumes, raw"), dried("Vegetables and legumes, dried");
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(Group("Vegetables and legumes, raw"), raw);
        EXPECT_EQ(Group("Vegetables and legumes, dried"), dried);
        EXPECT_NE(raw, dried);
    }
    EXPECT_EQ(dried.view().substr(0, 30), "Vegetables and legumes, dried ");
}

TEST(SharedText, RecordsKeepTheirBytesThroughTheCodec) {
    calories::FoodItem food;
    food.name = "Apple";
    food.group = "Fruits";
    calories::MealItem meal;
    meal.group = food.group;
    const calories::FoodItem back = calories::decode(calories::encode(food));
    EXPECT_EQ(back, food);
    EXPECT_EQ(&back.group.fixed(), &meal.group.fixed());
    EXPECT_EQ(calories::encode(food).substr(64, 60), std::string("Fruits") + std::string(54, ' '));
    // A record never filled still writes NULs for its group.
    EXPECT_EQ(calories::encode(calories::FoodItem{}).substr(64, 60), std::string(60, '\0'));
}

TEST(SharedText, ThreadsInterningAtOnceAgree) {
    constexpr int kThreads = 6, kValues = 200;
    std::vector<std::vector<const Fixed*>> seen(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 3; ++round)
                for (int v = 0; v < kValues; ++v) {
                    const Field f("t" + std::to_string((v * 7 + t) % kValues));
                    if (round == 0) seen[t].push_back(&f.fixed());
                }
        });
    for (auto& th : threads) th.join();
    for (int t = 0; t < kThreads; ++t)
        for (int v = 0; v < kValues; ++v) {
            const int value = (v * 7 + t) % kValues;
            EXPECT_EQ(seen[t][v], &Field("t" + std::to_string(value)).fixed());
        }
}

}  // namespace
