#pragma once

#include "documents/PcmFormat.h"

#include <QDialog>

#include <vector>

class QComboBox;

namespace kx {

/// "Format Selection for Converting": the PCM format a document is converted to. It offers every
/// rate of the format lists and 48000 Hz, each in 8 and 16 bit, mono and stereo, and starts at
/// the one nearest to the document's own format.
class ConvertChooser : public QDialog {
public:
    ConvertChooser(const PcmFormat& source, QWidget* parent);
    PcmFormat chosen() const;

    /// The formats offered, in the order of the list.
    static std::vector<PcmFormat> offeredFormats();
    /// "44,100 Hz, 16 Bit, Stereo    172 KB/sec"
    static QString describe(const PcmFormat& format);

private:
    QComboBox* m_attributes;
    std::vector<PcmFormat> m_formats;
};

} // namespace kx
