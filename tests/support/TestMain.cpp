// Test entry point for tests that need the settings store or Qt: no display, no sound server,
// and a settings store, data, state and runtime directory of each test's own, so that the tests
// pass in any order (make test runs every binary once with --gtest_shuffle).
#include "PrivateUserData.h"
#include "TempDir.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {

/// What one test may leave behind (settings, recovery copies, the clipboard, locks), thrown
/// away before the next one starts.
struct PrivateSession {
    kx::test::PrivateUserData user;
    kx::test::TempDir state;
    // Private (mode 0700) as the session's runtime directory would be.
    kx::test::TempDir runtime;
    QByteArray previousState = qgetenv("XDG_STATE_HOME");
    QByteArray previousRuntime = qgetenv("XDG_RUNTIME_DIR");
    PrivateSession()
    {
        qputenv("XDG_STATE_HOME", state.path().c_str());
        qputenv("XDG_RUNTIME_DIR", runtime.path().c_str());
    }
    ~PrivateSession()
    {
        qputenv("XDG_STATE_HOME", previousState);
        qputenv("XDG_RUNTIME_DIR", previousRuntime);
    }
};

class PrivateSessionPerTest : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { m_session = std::make_unique<PrivateSession>(); }
    void OnTestEnd(const testing::TestInfo&) override { m_session.reset(); }
    std::unique_ptr<PrivateSession> m_session;
};

} // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The sound server of the run stays reachable where it was.
    const QByteArray sessionRuntime = qgetenv("XDG_RUNTIME_DIR");
    if (!sessionRuntime.isEmpty() && !qEnvironmentVariableIsSet("PULSE_SERVER"))
        qputenv("PULSE_SERVER", "unix:" + sessionRuntime + "/pulse/native");
    testing::InitGoogleTest(&argc, argv);
    // Suites set up before their first test, and the application itself, get a session too.
    auto outside = std::make_unique<PrivateSession>();
    QApplication app(argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new PrivateSessionPerTest);
    const int result = RUN_ALL_TESTS();
    outside.reset();
    return result;
}
