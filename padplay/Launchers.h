#pragma once

#include <QString>

namespace kx::padplay {

/// The editor program: beside the player when installed, in the build tree's editor directory
/// when run from there, else whatever "wavedesk" the search path finds.
QString editorProgram();

/// Starts the editor, with `file` when one is given; false when it could not be started. A
/// running editor takes the file itself.
bool startEditor(const QString& file);

/// Opens the desktop's file manager on `folder`; false when there is none.
bool openFolder(const QString& folder);

} // namespace kx::padplay
