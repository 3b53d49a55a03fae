#include "MenuText.h"

#include <algorithm>

namespace kx {

std::string menuTextLine(uint32_t id, const char* entry)
{
    if (id >= 800 && id <= 898)
        return "Activate this window";
    std::string text = entry ? entry : std::to_string(id) + " - not yet implemented -";
    text.erase(std::min(text.find('\r'), text.size()));
    return text;
}

} // namespace kx
