#include "paneldraw/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <mutex>

namespace kx {

namespace {

std::mutex g_directoryMutex;
std::string g_directory; // empty: the user's configuration directory

/// Backslash setting path to the QSettings key; nullopt for paths with empty components,
/// which name no key.
std::optional<QString> toSettingsKey(std::string_view path)
{
    if (path.empty())
        return std::nullopt;
    QString key = QString::fromUtf8(path.data(), qsizetype(path.size()));
    const QStringList parts = key.split(QLatin1Char('\\'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part.contains(QLatin1Char('/')))
            return std::nullopt;
    }
    return parts.join(QLatin1Char('/'));
}

} // namespace

int32_t parseSettingNumber(std::string_view text)
{
    std::size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    uint32_t value = 0; // unsigned so that overflow wraps instead of being undefined
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10u + uint32_t(text[i] - '0');
        ++i;
    }
    if (negative)
        value = 0u - value;
    return int32_t(value);
}

std::string SettingsStore::filePath()
{
    std::string directory;
    {
        std::lock_guard lock(g_directoryMutex);
        directory = g_directory;
    }
    if (directory.empty())
        directory = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
    return directory + "/QuellWerk/QuellWerk.ini";
}

void SettingsStore::setDirectory(const std::string& directory)
{
    std::lock_guard lock(g_directoryMutex);
    g_directory = directory;
}

std::optional<std::string> SettingsStore::read(std::string_view path)
{
    const auto key = toSettingsKey(path);
    if (!key)
        return std::nullopt;
    QSettings settings(QString::fromStdString(filePath()), QSettings::IniFormat);
    const QVariant value = settings.value(*key);
    if (!value.isValid())
        return std::nullopt;
    // A hand-edited file may hold an unquoted list; read it back as the text it was.
    const QString text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(','))
                                                                   : value.toString();
    std::string bytes = text.toStdString();
    if (bytes.size() + 1 > kSettingReadBufferSize)
        return std::nullopt;
    return bytes;
}

bool SettingsStore::write(std::string_view path, std::string_view text)
{
    const auto key = toSettingsKey(path);
    if (!key)
        return false;
    const QString file = QString::fromStdString(filePath());
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSettings settings(file, QSettings::IniFormat);
    if (!settings.isWritable())
        return false;
    settings.setValue(*key, QString::fromUtf8(text.data(), qsizetype(text.size())));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

std::vector<std::string> SettingsStore::subKeys(std::string_view path)
{
    QSettings settings(QString::fromStdString(filePath()), QSettings::IniFormat);
    if (!path.empty()) {
        const auto key = toSettingsKey(path);
        if (!key)
            return {};
        settings.beginGroup(*key);
    }
    // A key is listed whether it holds a value, sub-keys or both.
    QStringList names = settings.childGroups() + settings.childKeys();
    names.removeDuplicates();
    std::vector<std::string> result;
    // A hand-edited file can hold a key without a name, which no path can reach.
    for (const QString& name : names) {
        if (!name.isEmpty())
            result.push_back(name.toStdString());
    }
    std::sort(result.begin(), result.end());
    return result;
}

} // namespace kx
