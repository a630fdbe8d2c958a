#pragma once

#include <string>

#include "engine/wildcard_filter.h"

namespace vantrel {

// The name of the marker file: a folder that holds an item of this name is left alone whole.
inline constexpr wchar_t kKeepMarkerName[] = L".vantrelkeep";

// Which names a run never lists and never enters: those the keep filter matches (same
// syntax as the filter; an empty text keeps nothing), and the marker.
class KeepRule {
  public:
    explicit KeepRule(const std::wstring& keep_text);

    // True when an item of this name is kept.
    bool Keeps(const std::wstring& name) const;
    // True when an item of this name keeps the folder that holds it.
    static bool IsMarker(const std::wstring& name);

  private:
    WildcardFilter filter_;
};

}  // namespace vantrel
