#include "config/cleaning_options.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(CleaningOptionsTest, DefaultsPackTo0x1303AndStartWithEmptyFilter) {
    CleaningOptions options;
    EXPECT_TRUE(options.Filter.empty());
    EXPECT_EQ(options.PackFlags(), 0x1303u);
    EXPECT_NE(kNewPresetFlags, options.PackFlags());
    EXPECT_EQ(kNewPresetFlags, 0x1301u);
}

TEST(CleaningOptionsTest, PackUnpackTable) {
    struct Case {
        uint32_t in;
        uint32_t repacked;
    };
    const Case cases[] = {
        {0x00000000u, 0x0000u}, {0xFFFFFFFFu, 0x1333u}, {0x0301u, 0x0301u},
        {0x0302u, 0x0302u},     {0x0320u, 0x0320u},     {0x0203u, 0x0203u},
        {0x00010000u, 0x0000u}, {0x1004u, 0x1000u},
    };
    for (const Case& c : cases) {
        CleaningOptions options;
        options.UnpackFlags(c.in);
        EXPECT_EQ(options.PackFlags(), c.repacked) << std::hex << c.in;
        for (int32_t v : {options.ScanSubfolders, options.DeleteFiles, options.DeleteFolders,
                          options.DeleteEmptyFiles, options.DeleteEmptyFolders,
                          options.DeleteReadOnlys, options.RecycleFiles}) {
            EXPECT_TRUE(v == 0 || v == 1);
        }
    }
}

TEST(CleaningOptionsTest, EachSwitchOwnsItsBit) {
    CleaningOptions off;
    off.UnpackFlags(0);
    EXPECT_EQ(off.PackFlags(), 0u);
    struct Case {
        int32_t CleaningOptions::*field;
        uint32_t bit;
    };
    const Case cases[] = {
        {&CleaningOptions::DeleteFiles, 0x0001},        {&CleaningOptions::DeleteFolders, 0x0002},
        {&CleaningOptions::DeleteEmptyFiles, 0x0010},   {&CleaningOptions::DeleteEmptyFolders, 0x0020},
        {&CleaningOptions::ScanSubfolders, 0x0100},     {&CleaningOptions::DeleteReadOnlys, 0x0200},
        {&CleaningOptions::RecycleFiles, 0x1000},
    };
    for (const Case& c : cases) {
        CleaningOptions options = off;
        options.*c.field = 1;
        EXPECT_EQ(options.PackFlags(), c.bit);
    }
}

TEST(CleaningOptionsTest, EqualityComparesAll32Bits) {
    CleaningOptions options;
    EXPECT_TRUE(options.FlagsEqual(0x1303));
    EXPECT_FALSE(options.FlagsEqual(0x1303 | 0x8000));
    EXPECT_FALSE(options.FlagsEqual(0x1301));
}

}  // namespace
}  // namespace vantrel
