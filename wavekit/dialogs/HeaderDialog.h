#pragma once

#include "documents/WaveHeader.h"
#include "wavekit/wavekit.h"

#include <QDialog>

class QPushButton;

namespace kx {

class FormatControls;

/// "Settings": the active document's format. "Change Settings" reads the same bytes under the
/// chosen format from now on; "Convert" converts the samples to it. Ends with 1 after either, 0
/// when cancelled.
class HeaderDialog : public QDialog {
public:
    HeaderDialog(HWND frame, HWND wave, const WaveHeader& header, QWidget* parent);

private:
    void changeSettings();
    void convert();

    HWND m_frame;
    HWND m_wave;
    FormatControls* m_controls;
    QPushButton* m_convert = nullptr;
};

} // namespace kx
