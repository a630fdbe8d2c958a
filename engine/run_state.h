#pragma once

#include <atomic>

namespace vantrel {

// Values of RunState::stop_request.
enum StopRequest : int { StopNone = 0, StopRun = 1, StopAndClose = 2 };

// The state of a run shared by the main window's thread and the worker. Each value is a
// single integer read and written with relaxed atomics: a value seen one step late only
// delays a stop by one polling step or shows one animation frame more or less.
struct RunState {
    std::atomic<int> stop_request{StopNone};  // written by the window, polled by the worker
    std::atomic<int> current_row{-1};         // RowId being worked on, -1 for none
    std::atomic<int> animation_frame{0};      // 0 to 4, advanced by the window's timer
    std::atomic<int> warned{0};               // the "all items" question was put this run
    std::atomic<int> declined{0};             // that question was answered No this run

    // What the command that starts a run resets.
    void ResetForRun() {
        stop_request.store(StopNone, std::memory_order_relaxed);
        current_row.store(-1, std::memory_order_relaxed);
        animation_frame.store(0, std::memory_order_relaxed);
        warned.store(0, std::memory_order_relaxed);
        declined.store(0, std::memory_order_relaxed);
    }

    bool StopRequested() const { return stop_request.load(std::memory_order_relaxed) != StopNone; }
    bool Declined() const { return declined.load(std::memory_order_relaxed) != 0; }

    // The worker starts on a row: the animation restarts and the timer sees the row.
    void BeginRow(int row) {
        animation_frame.store(0, std::memory_order_relaxed);
        current_row.store(row, std::memory_order_relaxed);
    }
    void EndRow() { current_row.store(-1, std::memory_order_relaxed); }
};

}  // namespace vantrel
