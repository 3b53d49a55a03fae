// The filters' parameter dialogs. Each shows the stored values, and on OK writes them back for the
// filter thread to read.
#include "ParameterDialog.h"
#include "filters/FilterSettings.h"

#include "paneldraw/settings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QSlider>
#include <QSpinBox>

using namespace kx;

namespace {

/// Volume, fade and silence dialogs sit this far above the frame's centre.
constexpr int kRaise = 30;

int stored(const filtersettings::WordSetting& setting)
{
    return RegGetWord(setting.path, setting.defaultValue);
}

/// A dialog with one percentage field.
int32_t askPercent(HWND frame, const QString& title, const QString& label, const filtersettings::WordSetting& setting,
    int minimum, int maximum)
{
    ParameterDialog dialog(frame, title);
    QSpinBox* field = dialog.addNumber(101, label, minimum, maximum, stored(setting));
    if (!dialog.run(kRaise))
        return 0;
    writeNumber(setting.path, field->value());
    return 1;
}

} // namespace

extern "C" {

int32_t ShowVolume(HWND frame)
{
    ShowHelpTopic(frame, "volume.htm");
    return askPercent(frame, QStringLiteral("Volume"), QStringLiteral("Volume in %:"), filtersettings::kVolume, 1, 999);
}

int32_t ShowFadeIn(HWND frame)
{
    return askPercent(
        frame, QStringLiteral("Fade In"), QStringLiteral("Start volume in %:"), filtersettings::kFadeIn, 0, 99);
}

int32_t ShowFadeOut(HWND frame)
{
    return askPercent(
        frame, QStringLiteral("Fade Out"), QStringLiteral("End volume in %:"), filtersettings::kFadeOut, 0, 99);
}

int32_t ShowLowPass(HWND frame)
{
    ParameterDialog dialog(frame, QStringLiteral("Soften"));
    QSlider* strength = dialog.addTrackBar(
        201, QStringLiteral("Normal"), QStringLiteral("Very soft"), 1, 8, stored(filtersettings::kLowPass));
    if (!dialog.run(kRaise) || strength->value() < 1 || strength->value() > 8)
        return 0;
    writeNumber(filtersettings::kLowPass.path, strength->value());
    return 1;
}

int32_t ShowVelocity(HWND frame)
{
    ParameterDialog dialog(frame, QStringLiteral("Velocity"), QStringLiteral("Close"));
    QSpinBox* speed = dialog.addNumber(101, QStringLiteral("Speed in %:"), 1, 999, stored(filtersettings::kVelocity));
    auto* smooth = new QCheckBox(QStringLiteral("Smooth transformation"), &dialog);
    smooth->setObjectName(QStringLiteral("check102"));
    smooth->setChecked(RegGetBool(filtersettings::kVelocitySmooth.path, filtersettings::kVelocitySmooth.defaultValue));
    dialog.form()->addRow(smooth);
    QSlider* strength = dialog.addTrackBar(
        201, QStringLiteral("Normal"), QStringLiteral("Very soft"), 1, 8, stored(filtersettings::kVelocitySmoothValue));
    strength->setEnabled(smooth->isChecked());
    QObject::connect(smooth, &QCheckBox::toggled, strength, &QWidget::setEnabled);
    if (!dialog.run(std::nullopt))
        return 0;
    writeNumber(filtersettings::kVelocity.path, speed->value());
    RegWriteString(filtersettings::kVelocitySmooth.path, smooth->isChecked() ? "1" : "0");
    if (strength->value() >= 1 && strength->value() <= 8)
        writeNumber(filtersettings::kVelocitySmoothValue.path, strength->value());
    return 1;
}

int32_t ShowSilence(HWND frame)
{
    ParameterDialog dialog(frame, QStringLiteral("Insert Silence"));
    QSpinBox* seconds = dialog.addNumber(102, QStringLiteral("Seconds:"), 0, 999, stored(filtersettings::kSilenceSec));
    QSpinBox* milliseconds
        = dialog.addNumber(101, QStringLiteral("Milliseconds:"), 0, 999, stored(filtersettings::kSilenceMs));
    if (!dialog.run(kRaise))
        return 0;
    writeNumber(filtersettings::kSilenceSec.path, seconds->value());
    writeNumber(filtersettings::kSilenceMs.path, milliseconds->value());
    return 1;
}

} // extern "C"
