#pragma once

#include "ClipboardSource.h"
#include "EditStatus.h"
#include "documents/WaveDocument.h"

namespace kx {

/// The three ways sound comes in from the clipboard. Each checks what can fail (format, memory,
/// the read itself) before it lets the document change; on any status but Done the document,
/// including its undo record, is as it was.

/// Into an empty document: the clipboard becomes the document, in the clipboard's own format.
/// Undo removes it again ("Paste From Clipboard").
EditStatus takeClipboard(WaveDocument& document, ClipboardSource& clip);

/// Inserts the clipboard at the cursor (clamped to the data); the mark keeps its values. Records
/// "Paste From Clipboard" (bytes inserted). The clipboard must have the document's format.
EditStatus pasteClipboard(WaveDocument& document, ClipboardSource& clip);

/// Mixes the clipboard into the document from the cursor on (mixSamples), first extending the
/// document with silence where the clipboard reaches past its end. A history of several levels
/// records the mixed range ("Mix from Clipboard"); a one-level one is cleared. The clipboard must
/// have the document's format.
EditStatus mixClipboard(WaveDocument& document, ClipboardSource& clip, float gain);

/// The new samples of a document a paste, mix or take is building beside it.
struct IncomingSamples {
    SampleBuffer samples;
    WaveHeader header; ///< the format of the samples
    uint32_t start = 0; ///< where the clipboard went
    uint32_t length = 0; ///< the clipboard's length
};

/// The same three for a document that others read meanwhile. Building reads the document's
/// format and samples, which must not change meanwhile, but never its mark (the insertion point
/// is `cursor`), and changes nothing; the commit then replaces the samples in one short step and
/// does the rest of what the operation does.
EditStatus buildTake(ClipboardSource& clip, IncomingSamples& built);
EditStatus buildPaste(const WaveDocument& document, uint32_t cursor, ClipboardSource& clip, IncomingSamples& built);
EditStatus buildMix(
    const WaveDocument& document, uint32_t cursor, ClipboardSource& clip, float gain, IncomingSamples& built);
void commitTake(WaveDocument& document, IncomingSamples& built);
void commitPaste(WaveDocument& document, IncomingSamples& built);
void commitMix(WaveDocument& document, IncomingSamples& built);

} // namespace kx
