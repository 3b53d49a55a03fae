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
/// document with silence where the clipboard reaches past its end. Records no undo and clears
/// the record. The clipboard must have the document's format.
EditStatus mixClipboard(WaveDocument& document, ClipboardSource& clip, float gain);

} // namespace kx
