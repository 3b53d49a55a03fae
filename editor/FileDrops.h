#pragma once

#include <QStringList>

class QMimeData;

namespace kx {

/// The local files among what a file manager drags, in its order: directories, remote addresses
/// and other data are left out.
QStringList droppedFiles(const QMimeData& data);

} // namespace kx
