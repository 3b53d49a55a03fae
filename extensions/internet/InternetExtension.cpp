#include "wavekit/wavekit.h"

// The extension's entry points arrive with the extension host; until then the module only
// proves that an extension links against the sound library.
extern "C" int32_t InternetExtensionVersion(void)
{
    return 1;
}
