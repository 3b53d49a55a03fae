#pragma once

#include "wavekit/wavekit.h"

#include <QWidget>

#include <array>
#include <memory>

class QLineEdit;
class QToolButton;

namespace kx {

struct SharedDocument;

/// The bar above the preview that shows the active document's mark and the mouse position as
/// times, and sets the mark from typed or spun times: the start and length fields (minutes,
/// seconds, milliseconds) with their up-downs, "Update mark", "Mark all" and "Destroy mark".
class PositionBar : public QWidget {
    Q_OBJECT
public:
    /// The ids of its commands, as the frame's Mark all (225) and Destroy Mark (221) arrive.
    enum Command { MarkAll = 201, DestroyMark = 202, UpdateMark = 203 };
    /// The six time fields: start minutes, seconds, milliseconds, then the length's.
    enum Field { StartMinutes, StartSeconds, StartMilliseconds, LengthMinutes, LengthSeconds, LengthMilliseconds };

    PositionBar(HWND frame, QWidget* parent = nullptr);
    ~PositionBar() override;

    HWND handle() const { return m_handle; }
    QLineEdit* field(Field field) const { return m_fields[std::size_t(field)]; }
    QLineEdit* positionField() const { return m_position; }

    /// Runs 201..399 on the active document; true when its mark was set.
    bool runCommand(int id);
    /// Shows the active document's mark in the fields (1171).
    void showMark();
    /// Shows the position under the mouse; while a mark is dragged also the mark taking shape (1141).
    void showMousePosition(bool dragging, quint32 bytes);
    /// Enables (1172) or disables (1173) the fields and their up-downs.
    void setTimesEnabled(bool enabled);
    /// Spins the focused field of one side (0 start, 1 length) by `steps` within its range.
    void spin(int side, int steps);

signals:
    /// The mark was set from the fields: the preview draws its outline again (1148) and the wave
    /// window repaints.
    void markChanged();
    /// A command of the multimedia button row.
    void commandRequested(int id);
    /// The button row asks for a command's hint, or to remove it (0).
    void hintRequested(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::shared_ptr<SharedDocument> activeDocument() const;
    void showTimes(int side, uint64_t milliseconds);
    uint64_t typedMilliseconds(int side) const;
    bool setMarkFromFields();

    HWND m_frame;
    HWND m_handle;
    std::array<QLineEdit*, 6> m_fields {};
    std::array<QToolButton*, 4> m_spinButtons {};
    std::array<int, 2> m_focused { StartSeconds, LengthSeconds }; ///< the field each up-down spins
    QLineEdit* m_position = nullptr;
};

} // namespace kx
