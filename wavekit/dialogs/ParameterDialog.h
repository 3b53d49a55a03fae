#pragma once

#include "wavekit/wavekit.h"

#include <QDialog>

#include <optional>

class QDialogButtonBox;
class QFormLayout;
class QSlider;
class QSpinBox;

namespace kx {

/// The frame of a filter's parameter dialog: a title, a form of controls, OK and a second button
/// that ends with 0. Controls are named after their ids ("field101", "trackbar201") so that tests
/// find them.
class ParameterDialog : public QDialog {
public:
    ParameterDialog(HWND frame, const QString& title, const QString& closeText = QStringLiteral("Cancel"));

    /// A number field with arrows that stop at `minimum` and `maximum`; the value starts clamped.
    QSpinBox* addNumber(int id, const QString& label, int minimum, int maximum, int value);
    /// A track bar from `minimum` to `maximum` between two captions.
    QSlider* addTrackBar(int id, const QString& low, const QString& high, int minimum, int maximum, int value);
    QFormLayout* form() const { return m_form; }
    /// A Help button (id 9) that shows the help page `topic` while the dialog stays open.
    void addHelpButton(const char* topic);

    /// Shows the dialog, `raise` pixels above the frame's centre when given, and tells whether it
    /// ended with OK.
    bool run(std::optional<int> raise);

private:
    HWND m_frame;
    QWidget* m_owner;
    QFormLayout* m_form;
    QDialogButtonBox* m_buttons;
};

/// Writes `value` as "%d" to the setting at `path`.
void writeNumber(const char* path, int value);

} // namespace kx
