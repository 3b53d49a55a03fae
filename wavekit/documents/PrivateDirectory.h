#pragma once

#include <string>
#include <string_view>

namespace kx {

/// The recording file: kept while the editor runs, removed when it ends.
inline constexpr const char* kRecordingFileName = "KexTemp.WAV";

/// The directory for the files only this user may see and that every program of the user
/// shares: the sound clipboard, the named locks, the recording file and the editor's socket.
/// "kestrix2000" below $XDG_RUNTIME_DIR, else "kestrix2000-<uid>" in $TMPDIR or /tmp. It is made
/// with mode 0700 and used only while it is a real directory of this user that nobody else can
/// enter; "" when no such directory can be had.
std::string privateDirectory();

/// Where older undo steps go when they leave memory: "QuellWerk/undo" below $XDG_CACHE_HOME (else
/// ~/.cache), on the disk rather than in the runtime directory, which is memory. Made 0700 and used
/// under the same rules as the private directory; "" when there is none.
std::string undoDirectory();

/// `name` in the private directory; "" when there is none.
std::string privateFilePath(std::string_view name);

} // namespace kx
