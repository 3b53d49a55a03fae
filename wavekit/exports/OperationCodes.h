#pragma once

namespace kx {

/// Operation codes: the library's operations announce themselves with them, and they name a
/// running operation in the thread manager.
enum OperationCode : int {
    OpLowPass = 15001,
    OpVolume = 15002,
    OpFadeIn = 15003,
    OpFadeOut = 15004,
    OpFadeLeftToRight = 15005,
    OpPeakVolume = 15006,
    OpReverse = 15007,
    OpUndo = 15008,
    OpRedo = 15009,
    OpCopy = 15010,
    OpPaste = 15011,
    OpMix = 15012,
    OpOpenFile = 15020,
    OpSaveFile = 15021,
    OpExportFile = 15022,
    OpVelocity = 15030,
    OpSilence = 15031,
    OpFadeRightToLeft = 15035,
    OpInsertSilence = 15037,
    OpDrawtoneVolume = 15040,
    OpDrawtoneFadeChannels = 15041,
    OpExtensionFilter = 15050,
    OpZeroize = 15073,
};

} // namespace kx
