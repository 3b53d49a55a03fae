#pragma once

#include <cstdint>

namespace kx {

/// The preview bar's pixel arithmetic for one document and one client size: where the waveform
/// area lies, which byte a column shows and where the play marker goes. Plain arithmetic, so the
/// painter, the mouse and the play-position timer agree on one mapping.
///
/// The waveform area spans columns 20 .. W - 7 and rows 6 .. H - 15; the play-position strip the
/// rows H - 10 .. H - 7.
class PreviewGeometry {
public:
    static constexpr int kLeft = 20;
    static constexpr int kMinimumHeight = 50;

    PreviewGeometry(uint32_t dataSize, uint16_t blockAlign, uint16_t bitsPerSample, int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    /// Columns of the waveform: W - 26, never below 0.
    int drawingWidth() const;
    /// First column right of the waveform area (W - 6).
    int right() const { return m_width - 6; }
    /// Only a document of more bytes than drawing columns shows a waveform and an outline.
    bool showsWave() const;
    uint32_t bytesPerPixel() const;
    uint32_t valuesPerPixel() const;
    /// The column at which byte `byte` is drawn.
    int columnOf(uint64_t byte) const;
    /// The mouse column as marking takes it: 20 .. W - 6.
    int effectiveColumn(int x) const;
    /// The byte under mouse column `x` (made effective): the end of the data at the right end,
    /// rounded down to the start of a frame so that a mark never splits one.
    uint32_t positionAt(int x) const;
    /// The drop target of a drag let go at column `x` in the preview itself.
    uint32_t dropTargetAt(int x) const;
    /// Column of the play marker: the device has played `playedBytes` of a range that starts at
    /// byte `rangeStart` (a range of length 0 plays from the start of the file).
    int playMarkerColumn(uint64_t playedBytes, uint32_t rangeStart, uint32_t rangeLength) const;

private:
    uint32_t wholeFrames(uint64_t bytes) const;

    uint32_t m_dataSize;
    uint16_t m_blockAlign;
    uint16_t m_bits;
    int m_width;
    int m_height;
};

/// The preview bar height the user may drag to: at least 50 pixels, at most a third of the
/// frame's height (50 when the frame is lower than 150).
int limitPreviewHeight(int requested, int frameHeight);

} // namespace kx
