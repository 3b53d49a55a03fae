#pragma once

#include "documents/NewDocument.h"

#include <QDialog>

namespace kx {

class FormatControls;

/// "RAW File Format Parameter Specification": the format a file without a header is read in.
/// Confirming writes the raw-file settings; a refused rate keeps the dialog open.
class RawFormatDialog : public QDialog {
public:
    RawFormatDialog(const NewFileFormat& stored, uint64_t fileLength, QWidget* parent);

private:
    void confirm();

    FormatControls* m_controls;
};

} // namespace kx
