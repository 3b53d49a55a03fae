#include "paneldraw/UserDirectories.h"

#include <QStandardPaths>

namespace kx {

std::string userDataDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() + "/QuellWerk";
}

std::string userExtensionDirectory()
{
    return userDataDirectory() + "/Extensions";
}

} // namespace kx
