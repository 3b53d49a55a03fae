#pragma once

#include "filters/FilterControl.h"
#include "wavekit/wavekit.h"

#include <functional>

namespace kx {

struct WaveDocument;

/// One filter as its thread routine runs it: what it announces, what it does to the document and
/// what the windows need to hear afterwards.
struct FilterRun {
    /// The thread manager's name code of the operation.
    int operationCode = 0;
    /// The data length may change: the wave window recomputes its scroll range and the bar repaints.
    bool changesLength = false;
    /// Refused means "nothing to do" for most filters; for these it ends the thread as a failure.
    bool refusalBreaks = false;
    /// "Not enough memory." goes over the frame rather than over the wave window.
    bool memoryErrorOverFrame = false;
    /// The change itself, run with the document locked exclusively; between blocks the lock is let
    /// go for a moment so the windows can paint.
    std::function<FilterStatus(WaveDocument&, const FilterControl&)> change;
    /// A "Working..." box with a progress bar stands over the frame while the change runs.
    bool showsProgress = false;
};

/// The common course of every filter thread: find the wave window (`argument` is that window, or
/// the frame to ask for the active one), announce the start, run the change, repaint, mark the
/// document unsaved and announce the end. Returns the thread's exit code: 1 when it ran, 0 when
/// it was stopped.
int32_t runFilterThread(HWND argument, const FilterRun& run);

} // namespace kx
