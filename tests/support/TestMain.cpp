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
    // Each test process has a runtime directory of its own (private, mode 0700, as the session's
    // would be): tests running side by side must not share the recording file, the clipboard or
    // the locks. The sound server of the run stays reachable where it was.
    kx::test::TempDir runtimeDirectory;
    const QByteArray sessionRuntime = qgetenv("XDG_RUNTIME_DIR");
    if (!sessionRuntime.isEmpty() && !qEnvironmentVariableIsSet("PULSE_SERVER"))
        qputenv("PULSE_SERVER", "unix:" + sessionRuntime + "/pulse/native");
    qputenv("XDG_RUNTIME_DIR", runtimeDirectory.path().c_str());
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    kx::test::TempDir settingsDirectory;
    kx::SettingsStore::setDirectory(settingsDirectory.path().string());
    // The editors the tests build keep their recovery copies there too, never in the user's.
    qputenv("XDG_STATE_HOME", (settingsDirectory.path() / "state").c_str());
    return RUN_ALL_TESTS();
}
