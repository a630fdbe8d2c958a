#pragma once

#include <cstdint>
#include <string>

#include "engine/items.h"

namespace vantrel {

// The value for bits 12 to 15 of a row's item state (LVIS_STATEIMAGEMASK); 0 = no image.
int StatusStateIndex(ItemStatus status);

// Status column text of a folder row: "Scanning" while walked, the found count when Done.
std::wstring FolderStatusText(ItemStatus status, int32_t found_count);

}  // namespace vantrel
