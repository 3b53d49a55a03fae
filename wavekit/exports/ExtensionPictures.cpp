#include "ExtensionPictures.h"

#include "wavekit/extension.h"

#include <QBuffer>
#include <QImageReader>

#include <mutex>
#include <vector>

namespace kx {

namespace {

    /// A button picture is small; anything larger is refused before it is decoded.
    constexpr int kLargestSide = 256;

    std::mutex g_mutex;
    std::vector<QImage> g_pictures; // id n is element n - 1

    uint32_t addPicture(QImageReader& reader)
    {
        const QSize size = reader.size();
        if (!size.isValid() || size.width() > kLargestSide || size.height() > kLargestSide)
            return 0;
        QImage image = reader.read();
        if (image.isNull())
            return 0;
        std::lock_guard lock(g_mutex);
        g_pictures.push_back(std::move(image));
        return uint32_t(g_pictures.size());
    }

} // namespace

QImage extensionPicture(uint32_t id)
{
    std::lock_guard lock(g_mutex);
    if (id == 0 || id > g_pictures.size())
        return {};
    return g_pictures[id - 1];
}

} // namespace kx

extern "C" {

uint32_t ExtensionPictureFromPng(const void* bytes, size_t size)
{
    if (!bytes || size == 0)
        return 0;
    QByteArray data(static_cast<const char*>(bytes), qsizetype(size));
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    return kx::addPicture(reader);
}

uint32_t ExtensionPictureFromFile(const char* path)
{
    if (!path)
        return 0;
    QImageReader reader(QString::fromUtf8(path));
    return kx::addPicture(reader);
}

} // extern "C"
