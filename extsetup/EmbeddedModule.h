#pragma once

#include <QByteArray>

namespace kx {

/// The Internet extension's library as the build made it, carried inside the installer.
QByteArray embeddedModule();

} // namespace kx
