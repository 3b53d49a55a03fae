#pragma once

#include "SampleBuffer.h"
#include "WaveHeader.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

namespace kx {

/// Cursor, marked range and view of one document. Offsets and lengths count bytes of the sample
/// data; viewStart and viewEnd count sample values.
struct MarkRecord {
    uint32_t markStart = 0;
    uint32_t markLength = 0;
    uint32_t viewStart = 0;
    uint32_t viewEnd = 0;
    uint32_t zoom = 100; ///< sample values per pixel; 0 shows the whole file
};

/// What a document was loaded from. Only a PCM WAV file may be saved back without asking.
enum SourceKind : uint16_t {
    SourcePcmWave = 1,
    SourceAviStream = 2,
    SourceRawFile = 4,
    SourceCompressedWave = 256,
    SourceMediaFile = 512, ///< FLAC, Ogg Vorbis/Opus or MP3, decoded to PCM
};

struct DocumentInfo {
    std::string fileName; ///< full path, also the window title; never shortened
    uint32_t saved = 1;
    uint32_t working = 0;
    uint16_t sourceKind = SourcePcmWave;
    /// Read from or written to a file of its own; until then Save has to ask for a name.
    bool hasFile = false;
};

/// Texts of a RIFF LIST chunk; each holds at most 127 characters.
struct FileTextInfo {
    static constexpr std::size_t kFieldSize = 128;

    uint32_t hasInfoList = 0;
    std::string comment; // ICMT
    std::string copyright; // ICOP
    std::string subject; // ISBJ
    std::string title; // INAM
    std::string artist; // IART
    std::string medium; // IMED
    std::string software; // ISFT
    std::string keywords; // IKEY
    std::string album; // IPRD
    std::string date; // ICRD
    std::string genre; // IGNR
    std::string track; // ITRK
    std::string encodedBy; // ITCH
};

enum UndoKind : uint16_t {
    UndoNothing = 0,
    UndoChanged = 1, ///< bytes changed in place; savedBytes holds the old bytes
    UndoInserted = 2, ///< bytes inserted; undo removes them
    UndoDeleted = 3, ///< bytes deleted; savedBytes holds them
    /// [undoStart, undoStart + undoLength) took the place of savedLength bytes that savedBytes holds
    UndoReplaced = 4,
    /// only [undoStart, undoStart + undoLength) was kept; savedBytes holds the undoStart bytes
    /// before it and then the rest of the savedLength bytes cut off after it
    UndoCropped = 5,
    /// a crop to do again: [undoStart, undoStart + undoLength) stays, savedLength bytes around it go
    UndoUncropped = 6,
};

class UndoBytes;

/// One step of undo (or, in the redo list, of redo).
struct UndoRecord {
    static constexpr std::size_t kDescriptionSize = 52;

    std::string description;
    SampleBuffer savedBytes;
    uint32_t undoStart = 0;
    uint32_t undoLength = 0;
    uint16_t undoKind = UndoNothing;
    uint32_t savedLength = 0; ///< for the kinds from UndoReplaced on
    /// The format to put back, for steps that changed it.
    std::optional<WaveHeader> formerHeader;
    /// savedBytes of an older step, kept in memory or moved to a file.
    std::shared_ptr<UndoBytes> keptBytes;
};

/// The steps before the newest one (that one is WaveDocument::undo), oldest first, and the
/// undone steps that can be redone, the next one last.
struct UndoHistory {
    std::deque<UndoRecord> older;
    std::deque<UndoRecord> redo;
};

/// One open sound file: format, samples and the records that hang on its window.
/// The samples buffer holds exactly header.dataSize valid bytes (null while dataSize is 0 in a
/// new document).
struct WaveDocument {
    WaveHeader header;
    SampleBuffer samples;
    MarkRecord mark;
    DocumentInfo info;
    FileTextInfo texts;
    UndoRecord undo;
    UndoHistory history;
};

} // namespace kx
