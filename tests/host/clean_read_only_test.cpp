#include <gtest/gtest.h>

#include "engine/clean.h"
#include "tests/host/fakes/engine_harness.h"

namespace vantrel {
namespace {

// A forced deletion clears the read-only bit first; an item that then still cannot go
// (held open, another hard link's name, ...) must stay read-only.
TEST(CleanReadOnlyTest, TheBitComesBackWhenTheItemStays) {
    const struct {
        const char* what;
        const wchar_t* path;
        bool folder;
        int64_t listed_size;  // -1: listed as an empty folder
    } cases[] = {
        {"file", L"C:\\r\\ro.o", false, 1},
        {"empty folder", L"C:\\r\\empty", true, -1},
        {"matched folder", L"C:\\r\\Debug", true, 0},
    };
    for (const auto& c : cases) {
        testing::EngineHarness h;
        if (c.folder) {
            h.fs.AddFolder(c.path, kAttributeDirectory | kAttributeReadOnly);
        } else {
            h.fs.AddFile(c.path, 1, kAttributeReadOnly);
        }
        h.fs.fail_remove.insert(c.path);
        h.options.delete_read_only = true;
        h.view.List(c.path, c.listed_size, h.fs.GetAttributes(c.path));
        CleanAllItems(h.ctx);
        EXPECT_EQ(h.view.files[0].item.status, ItemStatus::Failed) << c.what;
        EXPECT_NE(h.fs.GetAttributes(c.path) & kAttributeReadOnly, 0u) << c.what;
    }
}

}  // namespace
}  // namespace vantrel
