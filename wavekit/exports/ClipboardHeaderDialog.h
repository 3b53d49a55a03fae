#pragma once

#include "documents/WaveHeader.h"

#include <QDialog>

#include <string>

class QLabel;

namespace kx {

/// "Harddisk Clipboard Properties": the format and size of the clipboard file, and Play/Stop to
/// listen to it.
class ClipboardHeaderDialog : public QDialog {
public:
    /// `header` describes the clipboard file at `path`, its dataSize the data chunk's length.
    ClipboardHeaderDialog(const WaveHeader& header, std::string path, QWidget* parent);

    /// The text of a field by its control number (101 to 107); empty for others.
    QString fieldText(int control) const;

private:
    std::string m_path;
    QLabel* m_fields[7] = {};
};

} // namespace kx
