#include "EmbeddedModule.h"

extern "C" const char kx_internet_module_begin[];
extern "C" const char kx_internet_module_end[];

namespace kx {

QByteArray embeddedModule()
{
    return QByteArray::fromRawData(kx_internet_module_begin, kx_internet_module_end - kx_internet_module_begin);
}

} // namespace kx
