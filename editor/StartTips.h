#pragma once

namespace kx {

/// The start assistant's tips, numbered 1 to kTipCount.
constexpr int kTipCount = 10;

/// Tip `number`; the first one for a number out of range.
const char* startTip(int number);
/// The tip after `number`: 1 after the last.
int nextTip(int number);

} // namespace kx
