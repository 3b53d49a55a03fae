#include "StartupPage.h"

#include "OptionSettings.h"
#include "QualitySlider.h"

#include "paneldraw/settings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QSlider>
#include <QSpinBox>

#include <string>

namespace kx {

namespace {

    /// The largest zoom the zoom dialog takes.
    constexpr int kMaxZoom = 30000;

} // namespace

StartupPage::StartupPage(QWidget* parent)
    : QWidget(parent)
    , m_displayAssistant(new QCheckBox(QStringLiteral("Display StartAssistant"), this))
    , m_quality(new QualitySlider(kWindowQualitySetting, kDefaultWindowQuality, this))
    , m_zoom(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("Startup"));
    m_displayAssistant->setObjectName("displayStartAssistant");
    m_displayAssistant->setChecked(!RegGetBool(kNoStartAssistantSetting, 0));
    m_quality->slider()->setObjectName("displayQuality");
    m_zoom->setObjectName("startZoom");
    m_zoom->setRange(0, kMaxZoom);
    m_zoom->setSpecialValueText(QStringLiteral("Whole File"));
    m_zoom->setValue(RegGetWord(kStartZoomSetting, kDefaultStartZoom));

    auto* layout = new QFormLayout(this);
    layout->addRow(m_displayAssistant);
    layout->addRow(QStringLiteral("Display quality"), m_quality);
    layout->addRow(QStringLiteral("Zoom of new windows"), m_zoom);
}

void StartupPage::apply()
{
    RegWriteString(kNoStartAssistantSetting, m_displayAssistant->isChecked() ? "0" : "1");
    m_quality->apply();
    RegWriteString(kStartZoomSetting, std::to_string(m_zoom->value()).c_str());
}

} // namespace kx
