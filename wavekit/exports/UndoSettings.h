#pragma once

namespace kx {

inline constexpr const char* kUndoLevelsSetting = "Kestrix\\Settings\\UndoLevels";
inline constexpr int kDefaultUndoLevels = 20;
inline constexpr const char* kActivateUndoSetting = "Kestrix\\Settings\\Boolean\\ActivateUndo";

/// Hands the history settings to the undo store: "Kestrix\Settings\UndoLevels" (default 20),
/// "Kestrix\Settings\Boolean\ActivateUndo" (default on), "Kestrix\Settings\UndoMemoryBudget" and
/// "Kestrix\Settings\UndoDiskBudget" in MB (defaults: a quarter of the machine's memory, half the
/// free space where the private directory lies).
void applyUndoSettings();

} // namespace kx
