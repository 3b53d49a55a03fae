#pragma once

#include <QMap>
#include <QWidget>

class QAction;
class QToolBar;

namespace kx {

class SpinningLogo;

/// The bar across the top of the frame ("Icons"): the tool bar of the main functions and, at its
/// right end, the logo that spins while operations run. Its commands go to the frame.
class IconBar : public QWidget {
    Q_OBJECT
public:
    explicit IconBar(QWidget* parent = nullptr);

    QToolBar* toolBar() const { return m_toolBar; }
    SpinningLogo* logo() const { return m_logo; }
    /// The entry sending `command`; null when the bar has none.
    QAction* action(int command) const { return m_actions.value(command); }

    /// Shows a check entry (239, 766, 901) pressed while what it switches is on.
    void setChecked(int command, bool checked);
    /// Keeps the check entry `command` pressed exactly while `window` is visible.
    void followVisibility(int command, QWidget* window);
    /// Enables the entries that need a document while one is open.
    void setDocumentOpen(bool open);
    /// Enables the entry of `command`, or disables it with `reason` in its tool tip.
    void setAvailable(int command, bool available, const QString& reason);
    /// Spins the logo while `count` operations run, and stops it at 0.
    void setRunningCount(int count);

signals:
    void commandRequested(int id);
    /// The mouse is over the entry of `id` (its hint belongs in the status bar); 0 when it left.
    void hintRequested(int id);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolBar* m_toolBar = nullptr;
    SpinningLogo* m_logo = nullptr;
    QMap<int, QAction*> m_actions;
    QMap<QObject*, int> m_followed; ///< windows whose visibility a check entry shows
};

} // namespace kx
