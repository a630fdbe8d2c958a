#pragma once

#include <cstdint>
#include <string>

#include "engine/file_system.h"

namespace vantrel {

// Why an item failed, in words: a sentence of ours for the engine's own refusals, the
// system's message for a system error.
std::wstring FailureReason(FileSystem& fs, uint32_t code);

}  // namespace vantrel
