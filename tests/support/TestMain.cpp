// Test entry point for tests that need the settings store or Qt: no display, no sound server,
// and a settings store of the test's own.
#include "TempDir.h"
#include "paneldraw/SettingsStore.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    kx::test::TempDir runtimeDirectory; // private, mode 0700, as the session's would be
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", runtimeDirectory.path().c_str());
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    kx::test::TempDir settingsDirectory;
    kx::SettingsStore::setDirectory(settingsDirectory.path().string());
    // The editors the tests build keep their recovery copies there too, never in the user's.
    qputenv("XDG_STATE_HOME", (settingsDirectory.path() / "state").c_str());
    return RUN_ALL_TESTS();
}
