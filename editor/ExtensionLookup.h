#pragma once

#include <QString>

#include <string>

namespace kx {

/// The sub-key's name as the user reads it.
QString decodedKeyName(const std::string& keyName);

/// The library a sub-key of "Kestrix\Extensions" names: the key's name percent-decoded ("%2F"
/// is "/"; a setting key cannot hold one). A bare name is the file of that name
/// in the user's extension directory, else beside the editor, else among the modules installed with
/// it; empty when none exists.
QString extensionLibraryPath(const std::string& keyName);

/// Where the package installs the extension modules, relative to the editor's own directory.
QString installedExtensionDirectory();

/// The sub-key name under which the library at `path` is registered.
std::string extensionKeyName(const QString& path);

} // namespace kx
