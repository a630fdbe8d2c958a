#include "config/app_settings.h"

#include <iterator>

#include "config/registry_profile.h"
#include "engine/path.h"

namespace vantrel {

namespace {

// The integer fields in stored order, split around Filter so that reading and writing
// follow the order of the record.
struct IntField {
    const wchar_t* name;
    int32_t AppSettings::*field;
    int32_t CleaningOptions::*option;

    int32_t& In(AppSettings& s) const { return field != nullptr ? s.*field : s.Options.*option; }
    int32_t Of(const AppSettings& s) const {
        return field != nullptr ? s.*field : s.Options.*option;
    }
};

constexpr IntField kFieldsBeforeFilter[] = {
    {L"AlwaysOnTop", &AppSettings::AlwaysOnTop, nullptr},
    {L"AutoClose", &AppSettings::AutoClose, nullptr},
    {L"AutoRemoveDeleted", &AppSettings::AutoRemoveDeleted, nullptr},
    {L"ShowFileSizes", &AppSettings::ShowFileSizes, nullptr},
};

constexpr IntField kFieldsAfterFilter[] = {
    {L"ScanSubfolders", nullptr, &CleaningOptions::ScanSubfolders},
    {L"DeleteFiles", nullptr, &CleaningOptions::DeleteFiles},
    {L"DeleteFolders", nullptr, &CleaningOptions::DeleteFolders},
    {L"DeleteEmptyFiles", nullptr, &CleaningOptions::DeleteEmptyFiles},
    {L"DeleteEmptyFolders", nullptr, &CleaningOptions::DeleteEmptyFolders},
    {L"DeleteReadOnlys", nullptr, &CleaningOptions::DeleteReadOnlys},
    {L"RecycleFiles", nullptr, &CleaningOptions::RecycleFiles},
    {L"Preset", &AppSettings::Preset, nullptr},
};

void ReadInts(RegistryProfile& profile, AppSettings& settings, const IntField* begin,
              const IntField* end) {
    for (const IntField* f = begin; f != end; ++f) {
        f->In(settings) = profile.ReadInt(kSettingsSection, f->name, f->Of(settings));
    }
}

void WriteInts(RegistryProfile& profile, const AppSettings& settings, const IntField* begin,
               const IntField* end) {
    for (const IntField* f = begin; f != end; ++f) {
        profile.WriteInt(kSettingsSection, f->name, f->Of(settings));
    }
}

}  // namespace

bool LoadSettings(RegistryProfile& profile, AppSettings& settings) {
    ReadInts(profile, settings, std::begin(kFieldsBeforeFilter), std::end(kFieldsBeforeFilter));
    settings.Options.Filter = profile.ReadString(kSettingsSection, L"Filter");
    ReadInts(profile, settings, std::begin(kFieldsAfterFilter), std::end(kFieldsAfterFilter));
    settings.Options.Keep = profile.ReadString(kSettingsSection, L"Keep");
    settings.Options.OlderThanDays = StoredDays(
        profile.ReadInt(kSettingsSection, L"OlderThanDays", settings.Options.OlderThanDays));
    settings.LastFolder = profile.ReadString(kSettingsSection, L"LastFolder");
    settings.CustomIndex = LoadPresets(profile, settings.Presets);
    return true;
}

void SaveSettings(RegistryProfile& profile, const AppSettings& settings) {
    WriteInts(profile, settings, std::begin(kFieldsBeforeFilter), std::end(kFieldsBeforeFilter));
    profile.WriteString(kSettingsSection, L"Filter", settings.Options.Filter);
    WriteInts(profile, settings, std::begin(kFieldsAfterFilter), std::end(kFieldsAfterFilter));
    profile.WriteString(kSettingsSection, L"Keep", settings.Options.Keep);
    profile.WriteInt(kSettingsSection, L"OlderThanDays", settings.Options.OlderThanDays);
    profile.WriteString(kSettingsSection, L"LastFolder", settings.LastFolder);
    SavePresets(profile, settings.Presets);
}

std::wstring GetApplicationFolder(RegistryProfile& profile, const std::wstring& executable_path) {
    std::wstring folder = profile.ReadString(L"", L"AppFolder");
    if (folder.empty()) {
        folder = RemoveFileSpec(executable_path);
    }
    return folder;
}

}  // namespace vantrel
