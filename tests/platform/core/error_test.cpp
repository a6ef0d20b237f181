#include <gtest/gtest.h>

#include "platform/core/error.h"

TEST(Error, CarriesNumberAndRuntimeText) {
    vb::Error e(vb::errFileNotFound);
    EXPECT_EQ(e.number, 53);
    EXPECT_EQ(e.description, "File not found");
    EXPECT_EQ(vb::Error(6).description, "Overflow");
    EXPECT_EQ(vb::Error(32755).number, vb::errCancel);
}
