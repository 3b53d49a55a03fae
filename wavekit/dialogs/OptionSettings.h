#pragma once

// The settings the options sheet stores, with the defaults their readers use.

namespace kx {

/// 1 keeps the start assistant from opening after the splash screen.
inline constexpr const char* kNoStartAssistantSetting = "Kestrix\\Settings\\Boolean\\StartAssistant";
/// Thousandths of a pixel between two drawn points of a wave window that samples its values.
inline constexpr const char* kWindowQualitySetting = "Kestrix\\Settings\\WindowQuality";
inline constexpr int kDefaultWindowQuality = 300;
/// The same for the preview bar.
inline constexpr const char* kPreviewQualitySetting = "Kestrix\\Settings\\Preview\\Quality";
inline constexpr int kDefaultPreviewQuality = 200;
/// The zoom new wave windows start with; 0 fits the whole file into the window.
inline constexpr const char* kStartZoomSetting = "Kestrix\\Settings\\StartUp\\Zoom";
inline constexpr int kDefaultStartZoom = 100;
inline constexpr const char* kDoubleClickMarksAllSetting = "Kestrix\\Settings\\Boolean\\DoubleClickMarksAll";
inline constexpr const char* kRecentFilesCountSetting = "Kestrix\\RecentFiles\\NumberOfFiles";
inline constexpr int kDefaultRecentFilesCount = 10;
inline constexpr int kMaxRecentFiles = 20;
inline constexpr const char* kPlayThreadCompleteSetting = "Kestrix\\Settings\\Boolean\\PlayThreadComplete";
/// 1 (slowest) to 5 (as fast as the interface): how much of the processor operations may take.
inline constexpr const char* kThreadSpeedSetting = "Kestrix\\Settings\\Threads\\Speed";
inline constexpr int kSlowestThreadSpeed = 1;
inline constexpr int kFastestThreadSpeed = 5;
inline constexpr int kDefaultThreadSpeed = 3;

// The CD player's display and drive.
/// The time display's mode, 1 to 7 as its menu numbers them; the track display's, 11 or 12.
inline constexpr const char* kCdTimeDisplaySetting = "Kestrix\\Settings\\CD\\TimeDisplay";
inline constexpr int kDefaultCdTimeDisplay = 1;
inline constexpr const char* kCdTrackDisplaySetting = "Kestrix\\Settings\\CD\\TrackDisplay";
inline constexpr int kDefaultCdTrackDisplay = 11;
inline constexpr const char* kCdStopOnExitSetting = "Kestrix\\Settings\\CD\\StopOnExit";
inline constexpr const char* kCdAutoPlaySetting = "Kestrix\\Settings\\CD\\AutoPlay";
/// Milliseconds between two refreshes of the player's display.
inline constexpr const char* kCdUpdateIntervalSetting = "Kestrix\\Settings\\CD\\UpdateInterval";
inline constexpr int kDefaultCdUpdateInterval = 850;
/// A drive ("/dev/sr0") or a CUE, TOC or NRG image; empty: the first drive found.
inline constexpr const char* kCdDeviceSetting = "Kestrix\\Settings\\CD\\Device";

} // namespace kx
