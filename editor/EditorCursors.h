#pragma once

#include <QCursor>

namespace kx {

/// The editor's own cursors by their resource names ("PREVIEWCURSOR", "PREVIEWMOVE", "DRAGCURSOR",
/// "DRAGCURSORMIX", "DRAGFROMCURSOR", "NODROPCURSOR"), each with its hot spot; a standard cursor of
/// the same meaning when the picture is missing.
QCursor editorCursor(const char* name);

/// The cursor of a drag that pastes: "NODROPCURSOR" where nothing may be dropped, else
/// "DRAGCURSOR", or "DRAGCURSORMIX" with Ctrl held.
QCursor dropCursor(bool allowed, bool control);

} // namespace kx
