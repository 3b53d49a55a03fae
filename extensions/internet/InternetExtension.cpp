// The Internet extension's entry points: its record, its dialog and its empty Filter.
#include "InternetDialog.h"
#include "PictureStrip.h"
#include "dialogs/ModalDialogs.h"
#include "exports/WindowRegistry.h"
#include "wavekit/extension.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstring>

#define KX_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

/// The button's picture, 17 by 17 pixels, drawn from its SVG.
uint32_t buttonPicture()
{
    QImage image(17, 17, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    kx::useInternetArt();
    QSvgRenderer renderer(QStringLiteral(":/internet/INTERNET.svg"));
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return ExtensionPictureFromPng(png.constData(), size_t(png.size()));
}

} // namespace

KX_EXPORT int32_t GetExtensionInformation(ExtensionInfo* info)
{
    ExtensionPutWord(info->commandId, 1);
    ExtensionPutWord(info->extensionWord, 2);
    std::strncpy(info->menuText, "Internet Connection...", sizeof info->menuText - 1);
    std::strncpy(info->fileName, "Internet.so", sizeof info->fileName - 1);
    std::strncpy(info->author, "Kestrix2000 Internet extension, (c) 2026 QuellWerk", sizeof info->author - 1);
    std::strncpy(info->description, "Downloads Extensions and Kestrix98 Information from the Internet\rInternet",
        sizeof info->description - 1);
    ExtensionPutWord(info->extensionWord2, 1);
    ExtensionPutLong(info->runOnThread, 0);
    ExtensionPutLong(info->extensionLong, 1);
    ExtensionPutLong(info->hasDialog, 1);
    const uint32_t picture = buttonPicture();
    ExtensionPutLong(info->picture, picture);
    return int32_t(picture);
}

KX_EXPORT int32_t ShowDialogBox(HWND frame)
{
    kx::InternetDialog dialog(frame, kx::WindowRegistry::window(frame));
    return kx::ModalDialogs::run(dialog) == 1 ? 1 : 0;
}

KX_EXPORT int32_t Filter(HWND)
{
    return 0;
}
