#pragma once

#include <QByteArray>
#include <QString>

namespace kx {

/// The file the Internet extension is installed as, and the name it is registered under.
inline constexpr const char* kInstalledModuleName = "Internet.so";

/// Writes `module` as "Internet.so" into the user's extension directory (a temporary file renamed
/// over the old one, so an editor that has the old one loaded keeps it) and registers it under
/// "Kestrix\Extensions". Empty on success, else what failed.
QString installModule(const QByteArray& module);

} // namespace kx
