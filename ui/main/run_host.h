#pragma once

#include <windows.h>

#include "config/cleaning_options.h"
#include "config/command_line.h"
#include "engine/run_report.h"

namespace vantrel {

// What a run needs of the main window besides its two lists. Every call is made on the
// window's thread.
class RunHost {
  public:
    virtual ~RunHost() = default;
    // Reads the option controls back into the window's members and gives the options the
    // run works with.
    virtual CleaningOptions ReadBackForRun() = 0;
    // The automatic-closing box (1003) as it is at this moment.
    virtual bool AutoCloseValue() const = 0;
    virtual bool AutoRemoveDeletedValue() const = 0;
    virtual bool ShowFileSizesValue() const = 0;
    // The command-line request the window was created with, nullptr without one.
    virtual const CommandLineRequest* StartRequest() const = 0;
    // Ends the window's modal loop.
    virtual void EndWindow(INT_PTR result) = 0;
    // A run has ended (its worker is gone, the rows hold its outcomes); called before the
    // window closes because of it.
    virtual void RunEnded(const RunEnd& end) = 0;
    // RunEnded itself failed (no memory for the report): the run still ends, as a failed
    // one. Throws nothing.
    virtual void RunEndFailed(const RunEnd& end) noexcept = 0;
};

}  // namespace vantrel
