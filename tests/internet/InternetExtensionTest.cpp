// The Internet extension against a server of the test's own on 127.0.0.1: its index, its
// transfers and their failures, and the extension loaded by the editor.
#include "CommandIds.h"
#include "DownloadIndex.h"
#include "ExtensionHost.h"
#include "ExtensionLookup.h"
#include "FrameWindow.h"
#include "InternetDialog.h"
#include "InternetSettings.h"
#include "LocalHttpServer.h"
#include "PrivateUserData.h"
#include "TempDir.h"
#include "TransmitionDialog.h"
#include "WaitFor.h"
#include "WavBuilder.h"
#include "dialogs/ModalDialogs.h"
#include "exports/MessageBoxes.h"
#include "paneldraw/SettingsStore.h"
#include "paneldraw/settings.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace kx;
using namespace kx::test;
namespace fs = std::filesystem;

std::string readAll(const fs::path& path)
{
    const Bytes bytes = readFile(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeAll(const fs::path& path, const std::string& text)
{
    writeFile(path, Bytes(text.begin(), text.end()));
}

/// Receives what the extension hands the desktop to open.
struct OpenedUrls : QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

const std::string kIndex = "[Files]\nNumber=2\nDate=12-06-26\nNew=Two files\n"
                           "[File1]\nName=Tone\nDescription=A tone\nFilename=tone.bin\nURLPath=/files/tone\n"
                           "[File2]\nName=Long\nFilename=../../long.bin\nURLPath=/files/long\n";

/// A settings store, data directory and download directory of the test's own, the server named
/// in the settings, and message boxes answered with `answer`.
class InternetExtension : public testing::Test {
protected:
    InternetExtension()
    {
        fs::create_directories(downloads);
        m_previousDirectory = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(downloads.string()));
        RegWriteString("Kestrix\\Internet\\Server", server.address().c_str());
        server.answer("/tovin/kexinet/kexinet.txt", { 200, kIndex });
        MessageBoxes::setPresenter([this](const MessageBoxRequest& request) {
            messages.append(request.text);
            return answer;
        });
        QDesktopServices::setUrlHandler("file", &opened, "open");
    }
    ~InternetExtension() override
    {
        QDesktopServices::unsetUrlHandler("file");
        ModalDialogs::setDriver({});
        MessageBoxes::setPresenter({});
        QDir::setCurrent(m_previousDirectory);
    }
    /// The dialog after a successful "Update List", file k selected.
    void selectAfterUpdate(InternetDialog& dialog, int k)
    {
        dialog.updateList();
        ASSERT_TRUE(messages.isEmpty());
        dialog.findChild<QListWidget*>("files")->setCurrentRow(k - 1);
    }
    std::vector<std::string> filesIn(const fs::path& directory) const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(directory))
            names.push_back(fs::relative(entry.path(), directory).string());
        std::sort(names.begin(), names.end());
        return names;
    }

    PrivateUserData m_user;
    TempDir m_root;
    fs::path downloads = m_root.path() / "a" / "b";
    QString m_previousDirectory;
    LocalHttpServer server;
    QStringList messages;
    QMessageBox::StandardButton answer = QMessageBox::No;
    OpenedUrls opened;
};

TEST(DownloadIndexTest, DefaultsAndPlainFileNames)
{
    const DownloadIndex none = DownloadIndex::read("/nonexistent/kexinet.txt");
    EXPECT_EQ(none.count(), 0);
    EXPECT_EQ(none.date(), "00-00-00");
    EXPECT_EQ(none.news(), "");

    const DownloadIndex index = DownloadIndex::parse("[files]\nnumber = 3\n[File3]\nName=Third\n");
    EXPECT_EQ(index.count(), 3);
    EXPECT_EQ(index.name(1), "Press 'Update List'");
    EXPECT_EQ(index.name(3), "Third");
    EXPECT_EQ(index.description(3), "No description available");
    EXPECT_EQ(index.fileName(3), "dunno.txt");

    // A server names a file, never a place: whatever it sends ends as a plain name.
    const std::pair<const char*, const char*> names[] = { { "setup.bin", "setup.bin" }, { "../../x", "x" },
        { "a/b\\c.exe", "c.exe" }, { ".bashrc", "bashrc" }, { "/etc/passwd", "passwd" }, { "..", "dunno.txt" },
        { "dir/", "dunno.txt" }, { "", "dunno.txt" }, { "bad\x01name", "dunno.txt" } };
    for (const auto& [sent, kept] : names) {
        const auto file = DownloadIndex::parse(std::string("[File1]\nFilename=") + sent + "\n");
        EXPECT_EQ(file.fileName(1), kept) << sent;
    }
}

TEST(DownloadIndexTest, AMalformedIndexGivesBoundedValues)
{
    const std::pair<std::string, int> counts[] = { { "[Files\nNumber=5\n", 0 }, { "Number=5\n[Files]\n", 0 },
        { "[Files]\nNumber\n", 0 }, { "[Files]\nNumber=-3\n", 0 }, { "[Files]\nNumber=abc\n", 0 },
        { "[Files]\nNumber=99999\n", 1000 }, { "[Files]\nNumber=4294967297\n", 1 },
        { "[FILES]\nNUMBER=2\nnumber=7\n[files]\nNumber=9\n", 2 }, { "[Files]\r\nNumber=3\r\n", 3 },
        { std::string("[Files]\nNumber=\0"
                      "9\n",
              18),
            0 } };
    for (const auto& [text, count] : counts)
        EXPECT_EQ(DownloadIndex::parse(text).count(), count) << text;
    EXPECT_EQ(DownloadIndex::parse("[File1]\nName=" + std::string(100000, 'x')).name(1), std::string(254, 'x'));
}

TEST_F(InternetExtension, UpdateListFetchesTheIndexAsBefore)
{
    InternetDialog dialog(nullptr);
    EXPECT_EQ(dialog.findChild<QListWidget*>("files")->count(), 0);
    dialog.updateList();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(readAll(indexFilePath()), kIndex);
    auto* list = dialog.findChild<QListWidget*>("files");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "Tone");
    // Nothing chosen yet, though the list makes an entry current with the focus: "Download"
    // does nothing.
    dialog.show();
    dialog.activateWindow();
    list->setFocus();
    ASSERT_TRUE(waitFor([list] { return list->currentRow() == 0; }));
    EXPECT_EQ(dialog.findChild<QLabel*>("description")->text(), "No file selected");
    dialog.download();
    EXPECT_EQ(server.requests().size(), 1u);
    list->setCurrentRow(1);
    EXPECT_EQ(dialog.findChild<QLabel*>("description")->text(), "No description available");
    const std::string request = server.requests().at(0);
    EXPECT_EQ(request.rfind("GET /tovin/kexinet/kexinet.txt HTTP/1.0\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("User-Agent: Quell\r\n"), std::string::npos) << request;
}

TEST_F(InternetExtension, AnErrorStatusKeepsTheOldIndex)
{
    fs::create_directories(fs::path(indexFilePath()).parent_path());
    writeAll(indexFilePath(), kIndex);
    server.answer("/tovin/kexinet/kexinet.txt", { 404, "<html>gone</html>" });
    InternetDialog dialog(nullptr);
    dialog.updateList();
    EXPECT_EQ(messages, QStringList { "Transmition incomplete." });
    EXPECT_EQ(readAll(indexFilePath()), kIndex);
    EXPECT_EQ(dialog.findChild<QListWidget*>("files")->count(), 2);
}

TEST_F(InternetExtension, ABodyWithoutLengthArrivesWholeAndIsOpenedOnlyWhenWanted)
{
    const std::string body(20000, 'k');
    server.answer("/files/tone", { 200, body, false });
    InternetDialog dialog(nullptr);
    selectAfterUpdate(dialog, 1);
    answer = QMessageBox::No;
    dialog.download();
    EXPECT_EQ(readAll(downloads / "tone.bin"), body);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("Do you want to open it now?"));
    EXPECT_TRUE(opened.urls.isEmpty());

    answer = QMessageBox::Yes;
    dialog.download();
    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_EQ(opened.urls[0], QUrl::fromLocalFile(QString::fromStdString((downloads / "tone.bin").string())));
}

TEST_F(InternetExtension, ABodyOverTheLimitIsRefusedAndLeavesNoFile)
{
    RegWriteString("Kestrix\\Internet\\SizeLimit", "1");
    for (bool sendLength : { true, false }) {
        server.answer("/files/tone", { 200, std::string((1 << 20) + 1, 'x'), sendLength });
        InternetDialog dialog(nullptr);
        selectAfterUpdate(dialog, 1);
        dialog.download();
        EXPECT_EQ(messages, QStringList { "Transmition incomplete." }) << sendLength;
        EXPECT_TRUE(filesIn(downloads).empty()) << sendLength;
        messages.clear();
    }
}

TEST_F(InternetExtension, CancelStopsTheTransferAndKeepsTheOldFile)
{
    writeAll(downloads / "tone.bin", "the good one");
    server.answer("/files/tone", { 200, std::string(1 << 20, 's'), true, 100 });
    InternetDialog dialog(nullptr);
    selectAfterUpdate(dialog, 1);
    answer = QMessageBox::Yes; // replace it
    QElapsedTimer timer;
    ModalDialogs::setDriver([&](QDialog& shown) {
        QTimer::singleShot(300, &shown, [&shown] { static_cast<TransmitionDialog&>(shown).cancel(); });
        timer.start();
        return shown.exec();
    });
    dialog.download();
    EXPECT_LT(timer.elapsed(), 3000);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], "Transmition incomplete.");
    EXPECT_EQ(filesIn(downloads), std::vector<std::string> { "tone.bin" });
    EXPECT_EQ(readAll(downloads / "tone.bin"), "the good one");
}

TEST_F(InternetExtension, RedirectsAreFollowedToHttpOnly)
{
    server.answer("/files/tone", { 302, "", true, 0, "Location: /files/moved\r\n" });
    server.answer("/files/moved", { 200, "moved here" });
    InternetDialog dialog(nullptr);
    selectAfterUpdate(dialog, 1);
    answer = QMessageBox::No;
    dialog.download();
    EXPECT_EQ(readAll(downloads / "tone.bin"), "moved here");

    fs::remove(downloads / "tone.bin");
    writeAll(m_root.path() / "secret", "local");
    const std::string local = "file://" + (m_root.path() / "secret").string();
    server.answer("/files/tone", { 302, "", true, 0, "Location: " + local + "\r\n" });
    messages.clear();
    dialog.download();
    EXPECT_EQ(messages, QStringList { "Transmition incomplete." });
    EXPECT_FALSE(fs::exists(downloads / "tone.bin"));
}

TEST_F(InternetExtension, ATraversalNameStaysInTheDownloadDirectory)
{
    server.answer("/files/long", { 200, "payload" });
    InternetDialog dialog(nullptr);
    selectAfterUpdate(dialog, 2);
    dialog.download();
    EXPECT_EQ(readAll(downloads / "long.bin"), "payload");
    EXPECT_EQ(filesIn(m_root.path()), (std::vector<std::string> { "a", "a/b", "a/b/long.bin" }));
}

TEST_F(InternetExtension, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo)
{
    writeAll(downloads / "tone.bin", "the good one");
    server.answer("/files/tone", { 200, "new body" });
    InternetDialog dialog(nullptr);
    selectAfterUpdate(dialog, 1);
    answer = QMessageBox::No;
    dialog.download();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("Do you want to replace it?")) << messages[0].toStdString();
    EXPECT_EQ(readAll(downloads / "tone.bin"), "the good one");
    EXPECT_TRUE(server.requests().size() == 1) << "nothing is fetched when the user keeps the file";

    answer = QMessageBox::Yes;
    dialog.download();
    EXPECT_EQ(readAll(downloads / "tone.bin"), "new body");
}

TEST_F(InternetExtension, ALinkAtTheNameIsReplacedNotWrittenThrough)
{
    writeAll(m_root.path() / "victim", "precious");
    fs::create_symlink(m_root.path() / "victim", downloads / "tone.bin");
    server.answer("/files/tone", { 200, "payload" });
    InternetDialog dialog(nullptr);
    selectAfterUpdate(dialog, 1);
    answer = QMessageBox::Yes;
    dialog.download();
    EXPECT_EQ(readAll(m_root.path() / "victim"), "precious");
    EXPECT_FALSE(fs::is_symlink(downloads / "tone.bin"));
    EXPECT_EQ(readAll(downloads / "tone.bin"), "payload");
}

TEST_F(InternetExtension, AnEmptyOrShortReplyKeepsTheOldFiles)
{
    fs::create_directories(fs::path(indexFilePath()).parent_path());
    writeAll(indexFilePath(), kIndex);
    server.answer("/tovin/kexinet/kexinet.txt", { 200, "" });
    InternetDialog dialog(nullptr);
    dialog.updateList();
    EXPECT_EQ(messages, QStringList { "Transmition incomplete." });
    EXPECT_EQ(readAll(indexFilePath()), kIndex);

    messages.clear();
    server.answer("/tovin/kexinet/kexinet.txt", { 200, "[Files]\nNumber=1\n", false, 0, "Content-Length: 5000\r\n" });
    dialog.updateList();
    EXPECT_EQ(messages, QStringList { "Transmition incomplete." });
    EXPECT_EQ(readAll(indexFilePath()), kIndex);
    EXPECT_EQ(filesIn(fs::path(indexFilePath()).parent_path()),
        std::vector<std::string> { fs::path(indexFilePath()).filename().string() });
}

TEST_F(InternetExtension, TheEditorLoadsItIntoItsExtensionsMenu)
{
    RegWriteString(("Kestrix\\Extensions\\" + extensionKeyName(KX_INTERNET_MODULE)).c_str(), "");
    FrameWindow frame;
    ASSERT_EQ(frame.extensions().count(), 1);
    EXPECT_EQ(frame.extensionsPopup()->actions().at(0)->text(), "Internet Connection...");
    EXPECT_EQ(frame.extensions().hint(1001), "Downloads Extensions and Kestrix98 Information from the Internet");
    const QList<ExtensionButton> buttons = frame.extensions().buttons();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0].toolTip, "Internet");
    EXPECT_EQ(buttons[0].picture.size(), QSize(17, 17));

    // The module's own dialog with a transfer of its own; the editor releases the module and
    // what it loaded when it goes, and the program still ends cleanly.
    QStringList titles;
    ModalDialogs::setDriver([&](QDialog& shown) {
        titles.append(shown.windowTitle());
        if (titles.size() > 1)
            return shown.exec();
        shown.findChild<QPushButton*>("update")->click();
        return 0;
    });
    frame.runCommand(1001);
    EXPECT_EQ(titles, (QStringList { "Internet Download from the Kestrix98 Website", "Downloading..." }));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(readAll(indexFilePath()), kIndex);
}

} // namespace

#include "InternetExtensionTest.moc"
