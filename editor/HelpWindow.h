#pragma once

#include "wavekit/wavekit.h"

#include <QWidget>

class QTextBrowser;

namespace kx {

/// The help window at the right of the frame: a header with the "KEXHELP" picture and the title,
/// and below it the help pages, starting at their contents "index.html".
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);
    ~HelpWindow() override;

    HWND handle() const { return m_handle; }
    const QString& title() const { return m_title; }
    QTextBrowser* browser() const { return m_browser; }

    /// Shows the page `topic`, a file name of the help directory; false when there is none such.
    bool showTopic(const QString& topic);

    /// Where the help pages are: "help" beside the program, else the share directory of its
    /// installation; empty when neither holds the contents page.
    static QString helpDirectory();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    intptr_t handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);

    HWND m_handle = nullptr;
    QString m_title = QStringLiteral("Kestrix2000 Help System");
    QString m_directory;
    QTextBrowser* m_browser = nullptr;
};

} // namespace kx
