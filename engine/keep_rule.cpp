#include "engine/keep_rule.h"

#include "engine/text_rules.h"

namespace vantrel {

KeepRule::KeepRule(const std::wstring& keep_text) {
    filter_.SetPatterns(keep_text.c_str(), L"");
}

bool KeepRule::Keeps(const std::wstring& name) const {
    return IsMarker(name) || filter_.Matches(name.c_str());
}

bool KeepRule::IsMarker(const std::wstring& name) {
    return EqualsIgnoreCase(name, kKeepMarkerName);
}

}  // namespace vantrel
