#pragma once

#include "documents/NewDocument.h"

#include <QWidget>

namespace kx {

class FormatControls;

/// The "New Files" page of the options sheet: the format of new empty documents. The derived
/// fields show the stored values and do not follow the lists.
class NewFilesPage : public QWidget {
public:
    NewFilesPage(const NewFileFormat& stored, QWidget* parent);

    /// Writes the new-file settings. False, after saying so, when the rate is refused: the sheet
    /// stays open (bits and channels are written all the same).
    bool apply();

private:
    FormatControls* m_controls;
};

} // namespace kx
