// What a test extension was asked to do and did; the test reads and sets it through the
// library's export TestExtensionState.
#pragma once

#include <atomic>

struct TestExtensionState {
    int hasDialog = 1;
    int runOnThread = 0;
    int dialogAnswer = 1;
    std::atomic<int> dialogs { 0 };
    std::atomic<int> filters { 0 };
    /// While set, Filter waits before it returns.
    std::atomic<int> holdFilter { 0 };
    /// The interface thread's id is compared with this to tell where Filter ran.
    std::atomic<unsigned long> filterThread { 0 };
};
