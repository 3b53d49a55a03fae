#pragma once

#include <QCursor>

namespace kx {

/// The editor's own cursors by their resource names ("PREVIEWCURSOR", "PREVIEWMOVE", "DRAGCURSOR",
/// "DRAGCURSORMIX", "DRAGFROMCURSOR", "NODROPCURSOR"), each with its hot spot; a standard cursor of
/// the same meaning when the picture is missing.
QCursor editorCursor(const char* name);

} // namespace kx
