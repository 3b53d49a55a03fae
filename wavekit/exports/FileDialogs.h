#pragma once

#include <QString>

class QWidget;

namespace kx {

/// The Bulkwave loader's open dialog: WAV files or all files, starting in and remembering
/// "Kestrix\Directories\WaveOpen"; the empty text when cancelled.
QString openLargeWaveBox(QWidget* owner);

} // namespace kx
