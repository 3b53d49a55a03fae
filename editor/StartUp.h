#pragma once

#include <QString>

namespace kx {

/// What the editor's command line asks for: a file to open, a CD track to play, or nothing.
struct StartRequest {
    QString file;
    int cdTrack = -1;
};

/// One argument: a file path, or "/CD" followed by a track path whose characters 11 and 12 are the
/// track number (unless a file of that name exists).
StartRequest parseCommandLine(const QString& commandLine);

/// What a second start hands to the running editor: a relative file path is made absolute
/// against this start's working directory, which the running editor does not share.
QString commandLineToHandOver(const QString& commandLine);

/// The local socket of this user's editor, in the user's private directory ("" when there is
/// none: every start is then an editor of its own).
QString instanceName();

} // namespace kx
