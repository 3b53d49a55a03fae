#include "ExtensionHost.h"

#include "ExtensionLookup.h"
#include "documents/SharedDocument.h"
#include "exports/ExtensionPictures.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"
#include "paneldraw/SettingsStore.h"
#include "paneldraw/settings.h"

#include <QLibrary>
#include <QMenu>
#include <QStringList>

#include <cstring>

namespace kx {

namespace {

    constexpr const char* kRegistrationKey = "Kestrix\\Extensions";

    /// A text field of the record up to its zero, or up to its end when the extension left none.
    QString fieldText(const char* field, std::size_t size)
    {
        return QString::fromUtf8(field, qsizetype(strnlen(field, size)));
    }

} // namespace

ExtensionHost::ExtensionHost(HWND frame, ThreadStarter startThread, QObject* parent)
    : QObject(parent)
    , m_frame(frame)
    , m_startThread(std::move(startThread))
    , m_menu(new QMenu(QStringLiteral("E&xtensions")))
{
    m_buttonsShown = RegGetBool("Kestrix\\Settings\\Boolean\\ShowExtensions", 1);
    connect(
        m_menu, &QMenu::hovered, this, [this](QAction* action) { emit hintRequested(hint(action->data().toInt())); });
    connect(m_menu, &QMenu::aboutToHide, this, [this] { emit hintRequested(QString()); });
}

ExtensionHost::~ExtensionHost()
{
    delete m_menu;
    // A library goes when the last of its holders does: an operation thread still running its
    // Filter keeps it.
    m_extensions.clear();
}

void ExtensionHost::loadAll()
{
    QStringList skipped;
    for (const std::string& keyName : SettingsStore::subKeys(kRegistrationKey)) {
        // The name buffer holds 499 characters and the terminating zero.
        if (keyName.size() >= kSettingReadBufferSize)
            continue;
        if (count() == kCapacity) {
            skipped.append(decodedKeyName(keyName));
            continue;
        }
        load(keyName);
    }
    if (!skipped.isEmpty()) {
        const QString text = QStringLiteral("Only %1 extensions can be loaded. These were not:\r%2")
                                 .arg(kCapacity)
                                 .arg(skipped.join(QLatin1Char('\r')));
        ErrorBox(nullptr, text.toUtf8().constData());
    }
}

bool ExtensionHost::load(const std::string& keyName)
{
    const QString path = extensionLibraryPath(keyName);
    if (path.isEmpty())
        return false;
    std::shared_ptr<QLibrary> library(new QLibrary(path), [](QLibrary* loaded) {
        loaded->unload();
        delete loaded;
    });
    if (!library->load())
        return false;
    auto getInformation
        = reinterpret_cast<GetExtensionInformationFunction>(library->resolve("GetExtensionInformation"));
    if (!getInformation) {
        ErrorBox(nullptr, "Basic error while attempting to open Kestrix2000 - Extension.");
        return false;
    }
    Loaded& loaded = m_extensions.emplace_back();
    loaded.library = std::move(library);
    getInformation(&loaded.info);
    const int n = count() - 1;
    ExtensionPutWord(loaded.info.commandId, uint16_t(kFirstCommand + n));
    ExtensionPutLong(loaded.info.libraryNumber, uint32_t(n + 1));
    QAction* item = m_menu->addAction(fieldText(loaded.info.menuText, sizeof loaded.info.menuText));
    item->setData(kFirstCommand + n);
    connect(item, &QAction::triggered, this, [this, id = kFirstCommand + n] { run(id); });
    return true;
}

const ExtensionInfo& ExtensionHost::info(int index) const
{
    return m_extensions.at(std::size_t(index)).info;
}

int ExtensionHost::indexOf(int id) const
{
    return id >= kFirstCommand && id < kFirstCommand + count() ? id - kFirstCommand : -1;
}

bool ExtensionHost::isCommand(int id) const
{
    return indexOf(id) >= 0;
}

void ExtensionHost::run(int id)
{
    const int index = indexOf(id);
    if (index < 0)
        return;
    const Loaded& extension = m_extensions[std::size_t(index)];
    if (ExtensionGetLong(extension.info.hasDialog) == 0)
        return;
    auto showDialog = reinterpret_cast<ShowDialogBoxFunction>(extension.library->resolve("ShowDialogBox"));
    if (!showDialog) {
        ErrorBox(m_frame, "Could not display dialog box.");
        return;
    }
    // The library may not go while its dialog runs, whatever the dialog does to the frame.
    const std::shared_ptr<QLibrary> library = extension.library;
    const bool threaded = ExtensionGetLong(extension.info.runOnThread) != 0;
    if (showDialog(m_frame) == 0)
        return;
    auto filter = reinterpret_cast<FilterFunction>(library->resolve("Filter"));
    if (!filter)
        return;
    // Only an open, idle document: the active one after the dialog, which may have changed it.
    const HWND wave = reinterpret_cast<HWND>(SendMessage(m_frame, MsgGetActiveWave, 0, 0));
    const std::shared_ptr<SharedDocument> document = WindowRegistry::document(wave);
    if (!document || IsFileWorking(wave) || document->operationRunning)
        return;
    if (threaded)
        m_startThread([library, filter](HWND frame) { return filter(frame); }, wave);
    else
        filter(m_frame);
}

QString ExtensionHost::description(int id) const
{
    const int index = indexOf(id);
    if (index < 0)
        return {};
    const ExtensionInfo& record = m_extensions[std::size_t(index)].info;
    return fieldText(record.description, sizeof record.description);
}

QString ExtensionHost::hint(int id) const
{
    return description(id).section(QLatin1Char('\r'), 0, 0);
}

QString ExtensionHost::toolTip(int id) const
{
    const QString text = description(id);
    const qsizetype cut = text.indexOf(QLatin1Char('\r'));
    return cut < 0 ? text : text.mid(cut + 1);
}

void ExtensionHost::setButtonsShown(bool shown)
{
    m_buttonsShown = shown;
    emit buttonsShownChanged(shown);
}

QList<ExtensionButton> ExtensionHost::buttons() const
{
    QList<ExtensionButton> list;
    for (int n = 0; n < count(); ++n) {
        const int id = kFirstCommand + n;
        list.append({ id, extensionPicture(ExtensionGetLong(m_extensions[std::size_t(n)].info.picture)), toolTip(id) });
    }
    return list;
}

} // namespace kx
