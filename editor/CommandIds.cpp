#include "CommandIds.h"

namespace kx {

QString operationName(int code)
{
    switch (code) {
    case OpLowPass:
        return QStringLiteral("LowPass - Filter");
    case OpVolume:
        return QStringLiteral("Volume - Filter");
    case OpFadeIn:
        return QStringLiteral("Fade In - Filter");
    case OpFadeOut:
        return QStringLiteral("Fade Out - Filter");
    case OpFadeLeftToRight:
        return QStringLiteral("Fade Channels Left To Right - Filter");
    case OpPeakVolume:
        return QStringLiteral("Peak Volume - Filter");
    case OpReverse:
        return QStringLiteral("Reverse - Filter");
    case OpCopy:
        return QStringLiteral("Copy To Clipboard");
    case OpPaste:
        return QStringLiteral("Paste From Clipboard");
    case OpMix:
        return QStringLiteral("Mix from Clipboard");
    case OpOpenFile:
        return QStringLiteral("Open File ");
    case OpVelocity:
        return QStringLiteral("Velocity - Filter");
    case OpSilence:
        return QStringLiteral("Silence - Filter");
    case OpFadeRightToLeft:
        return QStringLiteral("Fade Channels Right To Left - Filter");
    case OpInsertSilence:
        return QStringLiteral("Insert Silence - Filter");
    case OpExtensionFilter:
        return QStringLiteral("Kestrix2000 Extension Filter");
    case OpZeroize:
        return QStringLiteral("Zeroize - Filter");
    }
    return QString();
}

} // namespace kx
