#pragma once

#include <QWidget>

class QCheckBox;
class QSpinBox;

namespace kx {

class QualitySlider;

/// The "General" page of the options sheet: what a double click marks, the preview bar's drawing
/// quality, the length of the recent-file list, and whether edits can be undone and how far.
class GeneralPage : public QWidget {
public:
    explicit GeneralPage(QWidget* parent);

    /// Writes the page's settings; documents opened from then on follow them.
    void apply();

private:
    QCheckBox* m_doubleClickMarksAll;
    QualitySlider* m_previewQuality;
    QSpinBox* m_recentFiles;
    QCheckBox* m_activateUndo;
    QSpinBox* m_undoLevels;
};

} // namespace kx
