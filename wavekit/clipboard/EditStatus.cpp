#include "EditStatus.h"

namespace kx {

const char* editMessage(EditStatus status)
{
    switch (status) {
    case EditStatus::OutOfMemory:
        return "Not enough memory.";
    case EditStatus::IncompatibleFormat:
        return "Incompatible format.";
    case EditStatus::CannotRead:
        return "can't ascend.";
    default:
        return "";
    }
}

} // namespace kx
