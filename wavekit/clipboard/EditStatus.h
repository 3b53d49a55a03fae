#pragma once

namespace kx {

/// How a clipboard or cut operation on a document ended. On anything but Done the document is
/// exactly as it was.
enum class EditStatus {
    Done,
    NothingToDo, ///< nothing marked, no data, or an empty clipboard
    Refused, ///< a copy target strictly inside the copied range
    OutOfMemory, ///< "Not enough memory."
    IncompatibleFormat, ///< "Incompatible format."
    CannotRead, ///< the clipboard ended early or could not be read
};

/// The text shown for a failure; "" when there is nothing to show.
const char* editMessage(EditStatus status);

} // namespace kx
