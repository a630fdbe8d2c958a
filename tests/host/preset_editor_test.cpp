#include "ui/model/preset_editor.h"

#include <gtest/gtest.h>

#include "config/memory_registry_profile.h"

namespace vantrel {
namespace {

PresetList TwoPresets() {
    PresetList list;
    list.Append({L"Alpha", L"*.o", 0x301});
    list.Append({L"Beta", L".svn", 0x302});
    return list;
}

TEST(PresetEditorTest, CommitStoresOnlyRealDifferences) {
    const struct {
        const char* what;
        PresetEditValues values;
        bool changed;
        PresetEntry stored;
    } cases[] = {
        {"same values", {L"Alpha", L"*.o", 0x301}, false, {L"Alpha", L"*.o", 0x301}},
        {"case-only name", {L"alpha", L"*.o", 0x301}, true, {L"alpha", L"*.o", 0x301}},
        {"case-only filter", {L"Alpha", L"*.O", 0x301}, true, {L"Alpha", L"*.O", 0x301}},
        {"blank added to filter", {L"Alpha", L"*.o ", 0x301}, true, {L"Alpha", L"*.o ", 0x301}},
        {"flag off", {L"Alpha", L"*.o", 0x300}, true, {L"Alpha", L"*.o", 0x300}},
        {"unknown high bit", {L"Alpha", L"*.o", 0x80000301}, true, {L"Alpha", L"*.o", 0x80000301}},
        // An emptied name box keeps the stored name, the rest is still taken.
        {"empty name", {L"", L"*.o", 0x301}, false, {L"Alpha", L"*.o", 0x301}},
        {"empty name, new filter", {L"", L"*.d", 0x301}, true, {L"Alpha", L"*.d", 0x301}},
        {"blank name is a name", {L" ", L"*.o", 0x301}, true, {L" ", L"*.o", 0x301}},
        {"case-only keep", {L"Alpha", L"*.o", 0x301, L"A"}, true, {L"Alpha", L"*.o", 0x301, L"A"}},
        {"days set", {L"Alpha", L"*.o", 0x301, L"", 7}, true, {L"Alpha", L"*.o", 0x301, L"", 7}},
    };
    for (const auto& c : cases) {
        PresetList list = TwoPresets();
        PresetEditor editor(list);
        editor.SetCurrent(editor.Shown()[0]);
        const bool name_taken = editor.Commit(c.values);
        EXPECT_EQ(name_taken, !c.values.Name.empty()) << c.what;
        EXPECT_EQ(editor.Changed(), c.changed) << c.what;
        EXPECT_EQ(list[0], c.stored) << c.what;
        EXPECT_EQ(list[1], (PresetEntry{L"Beta", L".svn", 0x302})) << c.what;
    }
}

TEST(PresetEditorTest, CommitWithoutCurrentPresetChangesNothing) {
    PresetList list = TwoPresets();
    PresetEditor editor(list);
    EXPECT_EQ(editor.Current(), nullptr);
    editor.Commit({L"Other", L"*", 0});
    editor.SetCurrent(nullptr);
    editor.Commit({L"Other", L"*", 0});
    EXPECT_FALSE(editor.Changed());
    EXPECT_EQ(list, TwoPresets());
}

TEST(PresetEditorTest, UnchangedFinishWritesNothing) {
    PresetList list = TwoPresets();
    MemoryRegistryProfile profile;
    PresetEditor editor(list);
    editor.SetCurrent(editor.Shown()[1]);
    editor.Commit({L"Beta", L".svn", 0x302});
    EXPECT_FALSE(editor.Finish(profile));
    EXPECT_TRUE(profile.WriteLog().empty());
    EXPECT_EQ(list, TwoPresets());
}

TEST(PresetEditorTest, AddedPresetIsStoredLast) {
    PresetList list = TwoPresets();
    MemoryRegistryProfile profile;
    PresetEditor editor(list);
    PresetEntry& added = editor.Add();
    EXPECT_EQ(editor.Shown().back(), &added);
    editor.SetCurrent(&added);
    editor.Commit(EditValuesOf(added));
    ASSERT_TRUE(editor.Finish(profile));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[2], (PresetEntry{L"New preset", L"*.*", 0x1301}));
    EXPECT_EQ(profile.ReadInt(kPresetsSection, L"Count", -1), 3);
    EXPECT_EQ(profile.ReadString(PresetSection(2), L"Name"), L"New preset");
    EXPECT_EQ(profile.ReadString(PresetSection(2), L"Filter"), L"*.*");
    EXPECT_EQ(profile.ReadInt(PresetSection(2), L"Flags", -1), 0x1301);
}

TEST(PresetEditorTest, RemovingTheOnlyPresetStoresAnEmptyList) {
    PresetList list;
    list.Append({L"Only", L"*", 0x320});
    MemoryRegistryProfile profile;
    PresetEditor editor(list);
    editor.SetCurrent(editor.Shown()[0]);
    editor.Remove(editor.Shown()[0]);
    EXPECT_EQ(editor.Current(), nullptr);
    EXPECT_TRUE(editor.Shown().empty());
    editor.Commit({L"Edited", L"x", 0});  // the boxes still show the removed preset
    ASSERT_TRUE(editor.Finish(profile));
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(profile.ReadInt(kPresetsSection, L"Count", -1), 0);
}

TEST(PresetEditorTest, RemovingKeepsTheOthersInOrder) {
    PresetList list = TwoPresets();
    list.Append({L"Gamma", L"CVS", 0x302});
    MemoryRegistryProfile profile;
    PresetEditor editor(list);
    PresetEntry& added = editor.Add();
    editor.Remove(editor.Shown()[1]);
    editor.Remove(&added);
    PresetEntry stranger{L"Stranger", L"", 0};
    editor.Remove(&stranger);  // not shown: ignored
    ASSERT_TRUE(editor.Finish(profile));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0].Name, L"Alpha");
    EXPECT_EQ(list[1].Name, L"Gamma");
    EXPECT_EQ(profile.ReadInt(kPresetsSection, L"Count", -1), 2);
}

TEST(PresetEditorTest, LoadDefaultsDropsEditsAndAddedPresets) {
    PresetList list = TwoPresets();
    MemoryRegistryProfile profile;
    PresetEditor editor(list);
    editor.SetCurrent(editor.Shown()[0]);
    editor.Commit({L"Renamed", L"*.obj", 0x1});
    editor.Add();
    editor.SetCurrent(editor.Shown()[1]);
    editor.LoadDefaults();
    EXPECT_EQ(editor.Current(), nullptr);
    editor.Commit({L"Ignored", L"x", 0});  // edits not yet committed are gone with current
    ASSERT_TRUE(editor.Finish(profile));
    EXPECT_EQ(list, DefaultPresets());
    EXPECT_EQ(profile.ReadInt(kPresetsSection, L"Count", -1), 11);
}

TEST(PresetEditorTest, EditsSurviveSelectingAnotherPreset) {
    PresetList list = TwoPresets();
    MemoryRegistryProfile profile;
    PresetEditor editor(list);
    editor.SetCurrent(editor.Shown()[0]);
    editor.Commit({L"Alpha", L"*.o;*.obj", 0x301});
    editor.SetCurrent(editor.Shown()[1]);
    editor.Commit(EditValuesOf(*editor.Shown()[1]));
    ASSERT_TRUE(editor.Finish(profile));
    EXPECT_EQ(list[0].Filter, L"*.o;*.obj");
    EXPECT_EQ(profile.ReadString(PresetSection(0), L"Filter"), L"*.o;*.obj");
}

}  // namespace
}  // namespace vantrel
