// Random trees, filters and switches: a scan followed by a clean deletes only what was
// listed, lists only what lies inside a chosen folder, and changes nothing else.

#include <gtest/gtest.h>

#include <random>

#include "engine/clean.h"
#include "engine/scan.h"
#include "tests/host/fakes/engine_harness.h"

namespace vantrel {
namespace {

using testing::EngineHarness;
using testing::FakeFileSystem;

bool IsInside(const std::wstring& path, const std::wstring& folder) {
    return path == folder || path.rfind(folder + L"\\", 0) == 0;
}

void BuildRandomTree(FakeFileSystem& fs, std::mt19937& random, const std::wstring& folder,
                     int depth) {
    static const wchar_t* const kNames[] = {L"a.obj", L"b.txt", L"Debug", L"c.OBJ",
                                            L"d",     L"e.o",   L"x.tmp", L"sub"};
    const int count = static_cast<int>(random() % 5);
    for (int i = 0; i < count; ++i) {
        const std::wstring path =
            folder + L"\\" + kNames[random() % 8] + std::to_wstring(random() % 3);
        if (fs.Has(path)) {
            continue;
        }
        const uint32_t attributes = random() % 4 == 0 ? kAttributeReadOnly : 0;
        switch (random() % 6) {
            case 0:
            case 1:
                if (depth < 4) {
                    fs.AddFolder(path, attributes);
                    BuildRandomTree(fs, random, path, depth + 1);
                    break;
                }
                [[fallthrough]];
            case 2:
                fs.AddFile(path, 0, attributes);
                break;
            case 3:
                fs.AddLink(path, L"D:\\outside");
                break;
            default:
                fs.AddFile(path, 1 + random() % 100, attributes);
                break;
        }
    }
}

TEST(EnginePropertyTest, DeletesOnlyWhatWasListedInsideTheChosenFolders) {
    static const wchar_t* const kFilters[] = {L"*.obj",   L"Debug*;*.o*", L"*",
                                              L"sub*;d?", L"*.txt;*.tmp", L""};
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        EngineHarness h;
        h.fs.AddFile(L"D:\\outside\\keep.obj");
        h.fs.AddFolder(L"D:\\outside\\Debug");
        h.fs.AddFolder(L"C:\\skip");  // not chosen
        h.fs.AddFile(L"C:\\skip\\a.obj0");
        h.fs.AddFolder(L"C:\\one");
        h.fs.AddFolder(L"C:\\two");
        BuildRandomTree(h.fs, random, L"C:\\one", 0);
        BuildRandomTree(h.fs, random, L"C:\\two", 0);
        BuildRandomTree(h.fs, random, L"C:\\skip", 0);
        h.fs.link_removal_fails = random() % 2 == 0;
        h.view.AddFolder(L"C:\\one");
        h.view.AddFolder(L"C:\\two");
        h.view.AddFolder(L"C:\\missing");
        h.options.Filter = kFilters[random() % 6];
        h.options.ScanSubfolders = random() % 2;
        h.options.DeleteFiles = random() % 2;
        h.options.DeleteFolders = random() % 2;
        h.options.DeleteEmptyFiles = random() % 2;
        h.options.DeleteEmptyFolders = random() % 2;
        h.options.DeleteReadOnlys = random() % 2;
        h.options.RecycleFiles = random() % 2;
        h.view.answers = {random() % 2 == 0};
        const auto before = h.fs.Nodes();

        ScanAndCleanPhases(h.ctx);

        const std::vector<std::wstring> listed = h.view.FilePaths();
        for (const std::wstring& path : listed) {
            EXPECT_TRUE(IsInside(path, L"C:\\one") || IsInside(path, L"C:\\two"))
                << "seed " << seed << " listed " << std::string(path.begin(), path.end());
        }
        for (const auto& [path, node] : before) {
            auto now = h.fs.Nodes().find(path);
            bool covered = false;
            for (const std::wstring& item : listed) {
                covered = covered || IsInside(path, item);
            }
            if (now == h.fs.Nodes().end()) {
                EXPECT_TRUE(covered) << "seed " << seed << " deleted unlisted "
                                     << std::string(path.begin(), path.end());
            } else if (!covered) {
                EXPECT_EQ(now->second, node)
                    << "seed " << seed << " changed " << std::string(path.begin(), path.end());
            }
        }
        EXPECT_EQ(h.fs.Nodes().size() <= before.size(), true);
        EXPECT_TRUE(h.fs.Has(L"D:\\outside\\keep.obj")) << "seed " << seed;
        EXPECT_TRUE(h.fs.Has(L"D:\\outside\\Debug")) << "seed " << seed;
        EXPECT_EQ(h.fs.open_listings, 0);
        // Every row reports what happened to its item.
        for (const auto& row : h.view.files) {
            if (row.item.status == ItemStatus::Done) {
                EXPECT_FALSE(h.fs.Has(row.item.path)) << "seed " << seed;
            }
        }
    }
}

}  // namespace
}  // namespace vantrel
