#pragma once

#include <QKeySequence>
#include <QString>

#include <span>

namespace kx {

/// One key of the frame's accelerator table and the command it runs.
struct Accelerator {
    QKeySequence keys;
    int id;
};

/// The frame's accelerator table, in the order of its resource.
std::span<const Accelerator> accelerators();

/// The key hint a menu entry of command `id` shows after a tab ("Ctrl + O"): the first
/// accelerator of the command; empty when it has none.
QString acceleratorText(int id);

} // namespace kx
