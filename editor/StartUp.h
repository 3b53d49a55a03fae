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

/// The local socket name of this user's editor.
QString instanceName();

} // namespace kx
