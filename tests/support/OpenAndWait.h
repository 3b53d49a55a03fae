#pragma once

#include "FrameWindow.h"
#include "WaitFor.h"

#include <string>

namespace kx::test {

/// Opens `path` as a file manager hands it over and waits until it has been read (on its worker).
inline bool openAndWait(FrameWindow& frame, const std::string& path)
{
    frame.openPath(QString::fromStdString(path));
    return waitFor([&] { return frame.operations().liveThreads() == 0; });
}

} // namespace kx::test
