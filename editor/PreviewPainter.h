#pragma once

#include <QPalette>

#include <cstdint>

class QPainter;

namespace kx {

struct WaveHeader;
class PeakSummary;

/// What one paint of the preview bar reads from the active document, under its shared lock.
struct PreviewScene {
    const WaveHeader* header = nullptr; ///< null without an active document
    const uint8_t* samples = nullptr;
    bool working = false;
    /// The document's peak summary when the true peaks are to be drawn and it is current.
    const PeakSummary* peaks = nullptr;
};

/// Paints the preview bar without its mark outline and play marker: the background, the sunken
/// waveform area and play-position strip, the channel pictures and the whole file's waveform.
/// `step` is the distance in pixels between two sampled points.
void paintPreview(
    QPainter& painter, int width, int height, const PreviewScene& scene, float step, const QPalette& palette);

} // namespace kx
