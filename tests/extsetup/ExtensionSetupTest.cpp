// The installer with the module it carries: what Install writes and registers, what a failure
// says, and a fresh editor that finds the extension.
#include "EmbeddedModule.h"
#include "ExtensionHost.h"
#include "FrameWindow.h"
#include "ModuleInstaller.h"
#include "PrivateUserData.h"
#include "SetupDialog.h"
#include "TempDir.h"
#include "paneldraw/SettingsStore.h"
#include "paneldraw/UserDirectories.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

using namespace kx;
using namespace kx::test;
namespace fs = std::filesystem;

/// Settings, data and working directories of the test's own.
class ExtensionSetup : public testing::Test {
protected:
    ExtensionSetup()
    {
        m_previousDirectory = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(m_elsewhere.path().string()));
    }
    ~ExtensionSetup() override { QDir::setCurrent(m_previousDirectory); }
    /// Presses a button of the dialog; returns the titles of the message boxes it showed.
    QStringList press(SetupDialog& dialog, const char* button)
    {
        QStringList titles;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&titles] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                titles.append(box->windowTitle());
                box->accept();
            }
        });
        closer.start(10);
        dialog.findChild<QPushButton*>(button)->click();
        return titles;
    }
    std::string installedFile() const { return userExtensionDirectory() + "/" + kInstalledModuleName; }

    PrivateUserData m_user;
    TempDir m_elsewhere;
    QString m_previousDirectory;
};

ino_t inodeOf(const std::string& path)
{
    struct stat status { };
    ::stat(path.c_str(), &status);
    return status.st_ino;
}

TEST_F(ExtensionSetup, InstallTwiceLeavesOneKeyAndTheBuiltModuleWhichAFreshEditorLoads)
{
    QFile built(QStringLiteral(KX_INTERNET_MODULE));
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    ASSERT_EQ(embeddedModule(), built.readAll());

    ino_t first = 0;
    for (int run = 0; run < 2; ++run) {
        SetupDialog dialog;
        dialog.show();
        EXPECT_EQ(press(dialog, "install"), QStringList { "Finished" });
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        QFile installed(QString::fromStdString(installedFile()));
        ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
        EXPECT_EQ(installed.readAll(), embeddedModule());
        // Renamed into place: an editor holding the old file keeps its own.
        if (run == 0)
            first = inodeOf(installedFile());
        else
            EXPECT_NE(inodeOf(installedFile()), first);
    }
    EXPECT_EQ(SettingsStore::subKeys("Kestrix\\Extensions"), std::vector<std::string> { kInstalledModuleName });
    EXPECT_TRUE(fs::is_empty(m_elsewhere.path())) << "nothing lands in the working directory";

    FrameWindow editor;
    ASSERT_EQ(editor.extensions().count(), 1);
    EXPECT_EQ(editor.extensionsPopup()->actions().at(0)->text(), "Internet Connection...");
}

TEST_F(ExtensionSetup, AFailedWriteIsReportedAndNothingRegistered)
{
    // A file where the extension directory belongs: nothing can be written there.
    fs::create_directories(fs::path(userExtensionDirectory()).parent_path());
    QFile blocker(QString::fromStdString(userExtensionDirectory()));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SetupDialog dialog;
    dialog.show();
    EXPECT_EQ(press(dialog, "install"), QStringList { "Warning..." });
    EXPECT_TRUE(dialog.isVisible()) << "still there to try again";
    EXPECT_TRUE(SettingsStore::subKeys("Kestrix\\Extensions").empty());
}

TEST_F(ExtensionSetup, ExitChangesNothing)
{
    SetupDialog dialog;
    dialog.show();
    EXPECT_TRUE(press(dialog, "exit").isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(fs::exists(userDataDirectory()));
    EXPECT_TRUE(SettingsStore::subKeys("Kestrix\\Extensions").empty());
}

} // namespace
