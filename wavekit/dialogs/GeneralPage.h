#pragma once

#include <QWidget>

class QCheckBox;
class QSpinBox;

namespace kx {

/// The "General" page of the options sheet: whether edits can be undone, and how many steps back.
class GeneralPage : public QWidget {
public:
    explicit GeneralPage(QWidget* parent);

    /// Writes the page's settings; documents opened from then on follow them.
    void apply();

private:
    QCheckBox* m_activateUndo;
    QSpinBox* m_undoLevels;
};

} // namespace kx
