#include "QualitySlider.h"

#include "paneldraw/settings.h"

#include <QBoxLayout>
#include <QLabel>
#include <QSlider>

#include <algorithm>
#include <string>

namespace kx {

QualitySlider::QualitySlider(const char* setting, int defaultQuality, QWidget* parent)
    : QWidget(parent)
    , m_setting(setting)
    , m_slider(new QSlider(Qt::Horizontal, this))
{
    m_slider->setRange(kLow, kHigh);
    m_slider->setPageStep(1);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setValue(positionOf(RegGetWord(setting, uint16_t(defaultQuality))));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("low"), this));
    row->addWidget(m_slider, 1);
    row->addWidget(new QLabel(QStringLiteral("high"), this));
    layout->addLayout(row);
    // With true peaks every column shows its least and greatest value; nothing is sampled.
    auto* hint = new QLabel(QStringLiteral("Applies while View > True Peaks is off."), this);
    hint->setEnabled(false);
    layout->addWidget(hint);
}

int QualitySlider::positionOf(int quality)
{
    return std::clamp((1000 - quality) / 100, kLow, kHigh);
}

int QualitySlider::qualityOf(int position)
{
    return (10 - position) * 100;
}

void QualitySlider::apply()
{
    RegWriteString(m_setting, std::to_string(qualityOf(m_slider->value())).c_str());
}

} // namespace kx
