#pragma once

#include <string>

namespace kx {

/// The user's data of every program of the suite: `$XDG_DATA_HOME/QuellWerk`
/// (`~/.local/share/QuellWerk` when the variable is unset).
std::string userDataDirectory();
/// The extensions installed for this user; a registered bare library name is looked for here
/// first.
std::string userExtensionDirectory();

} // namespace kx
