#pragma once

#include "documents/WaveDocument.h"
#include "wavekit/wavekit.h"

#include <optional>
#include <string>

namespace kx {

/// A new wave window of the MDI client `client` around `document`, titled with its file name.
HWND createWaveWindow(HWND client, WaveDocument document, bool scrollBarEnabled);

/// What a save asks the user before it writes: for a document read from another format than PCM
/// WAV, whether to write WAV and under which name.
struct SaveAnswers {
    std::optional<std::string> newPath; ///< set when the user agreed to write WAV under this name
};

/// Asks, on the interface thread, what saving `wave`'s document needs to know; nullopt when the
/// user cancelled.
std::optional<SaveAnswers> askBeforeSaving(HWND frame, HWND wave);

/// Saves `wave`'s document under `path` as SaveWAV does, with the answers given beforehand, so that
/// it can run on an operation thread; `path` becomes the name written.
bool saveOnWorker(HWND frame, HWND wave, std::string& path, const SaveAnswers& answers);

} // namespace kx
