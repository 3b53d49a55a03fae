#pragma once

#include "TempDir.h"
#include "paneldraw/SettingsStore.h"

#include <QByteArray>
#include <QtGlobal>

#include <filesystem>

namespace kx::test {

/// A settings store and a user data directory ($XDG_DATA_HOME) of the test's own while it lives.
class PrivateUserData {
public:
    PrivateUserData()
        : m_previousStore(std::filesystem::path(SettingsStore::filePath()).parent_path().parent_path().string())
        , m_previousData(qgetenv("XDG_DATA_HOME"))
    {
        SettingsStore::setDirectory(m_settings.path().string());
        qputenv("XDG_DATA_HOME", m_data.path().c_str());
    }
    ~PrivateUserData()
    {
        SettingsStore::setDirectory(m_previousStore);
        if (m_previousData.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_previousData);
    }
    PrivateUserData(const PrivateUserData&) = delete;
    PrivateUserData& operator=(const PrivateUserData&) = delete;

    const std::filesystem::path& dataDirectory() const { return m_data.path(); }

private:
    TempDir m_settings;
    TempDir m_data;
    std::string m_previousStore;
    QByteArray m_previousData;
};

} // namespace kx::test
