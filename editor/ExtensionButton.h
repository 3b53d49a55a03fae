#pragma once

#include <QImage>
#include <QString>

namespace kx {

/// A loaded extension's button on the function bar: the command it sends (1001 and up), its
/// picture (null for none) and the short text shown as its tool-tip.
struct ExtensionButton {
    int command = 0;
    QImage picture;
    QString toolTip;
};

} // namespace kx
