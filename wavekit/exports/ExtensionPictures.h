#pragma once

#include <QImage>

#include <cstdint>

namespace kx {

/// The picture an extension registered under `id` (ExtensionPictureFromPng/-File); null when
/// there is none.
QImage extensionPicture(uint32_t id);

} // namespace kx
