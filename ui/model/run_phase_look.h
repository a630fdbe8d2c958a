#pragma once

#include "engine/run_view.h"
#include "resources/resource.h"

namespace vantrel {

// How the main window shows a phase of a run: the button named after the phase reads
// `busy_text` while the phase runs and `idle_text` otherwise, and the phase's timer animates
// its current row and shows what the worker changed.
struct PhaseLook {
    int button_id;
    const wchar_t* busy_text;
    const wchar_t* idle_text;
    int timer_id;
};

inline constexpr unsigned kRowTimerPeriodMs = 100;
inline constexpr PhaseLook kScanLook{IDC_SCAN, L"Scanning", L"Scan", 1};
inline constexpr PhaseLook kCleanLook{IDC_CLEAN, L"Cleaning", L"Clean", 2};

inline const PhaseLook& LookOf(RunPhase phase) {
    return phase == RunPhase::Scan ? kScanLook : kCleanLook;
}

}  // namespace vantrel
