#pragma once

#include "ExtensionButton.h"
#include "OperationThreads.h"
#include "wavekit/extension.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QLibrary;
class QMenu;

namespace kx {

/// The extension libraries registered under "Kestrix\Extensions": loaded once, each with its
/// record, its item in the "E&xtensions" popup and its function-bar button; released when the
/// host goes with the frame (or later, when the last operation thread running one returns).
class ExtensionHost : public QObject {
    Q_OBJECT
public:
    static constexpr int kCapacity = 128;
    static constexpr int kFirstCommand = 1001;
    static constexpr int kLastCommand = kFirstCommand + kCapacity - 1;
    /// Starts a threaded Filter as the operation "Kestrix2000 Extension Filter" on `wave`.
    using ThreadStarter = std::function<void(const OperationThreads::Routine& filter, HWND wave)>;

    ExtensionHost(HWND frame, ThreadStarter startThread, QObject* parent = nullptr);
    ~ExtensionHost() override;

    /// Loads every registered extension and fills the popup; called once.
    void loadAll();
    int count() const { return int(m_extensions.size()); }
    /// The popup "E&xtensions", one item per loaded extension.
    QMenu* menu() const { return m_menu; }
    const ExtensionInfo& info(int index) const;

    /// True for the command of a loaded extension.
    bool isCommand(int id) const;
    /// The extension's command: its dialog, then its Filter on the idle active document.
    void run(int id);

    /// The status-bar hint of the command (the description up to its first carriage return).
    QString hint(int id) const;
    /// The tool-tip of the command's button (the description after its first carriage return,
    /// the whole one without).
    QString toolTip(int id) const;

    bool buttonsShown() const { return m_buttonsShown; }
    /// Shows or hides the buttons (command 755).
    void setButtonsShown(bool shown);
    /// The function bar's extension buttons in command order, shown or not.
    QList<ExtensionButton> buttons() const;

signals:
    /// The buttons were shown or hidden (command 755).
    void buttonsShownChanged(bool shown);
    /// A popup item is highlighted (its hint), or the popup closed (empty).
    void hintRequested(const QString& text);

private:
    struct Loaded {
        ExtensionInfo info {};
        std::shared_ptr<QLibrary> library;
    };

    int indexOf(int id) const;
    bool load(const std::string& keyName);
    QString description(int id) const;

    HWND m_frame;
    ThreadStarter m_startThread;
    QMenu* m_menu = nullptr;
    std::vector<Loaded> m_extensions;
    bool m_buttonsShown = true;
};

} // namespace kx
