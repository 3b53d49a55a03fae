#include "ThreadsPage.h"

#include "OptionSettings.h"

#include "paneldraw/settings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>

#include <algorithm>
#include <string>

namespace kx {

ThreadsPage::ThreadsPage(QWidget* parent)
    : QWidget(parent)
    , m_playTone(new QCheckBox(QStringLiteral("Plays tone when thread has terminated"), this))
    , m_speed(new QSlider(Qt::Horizontal, this))
{
    setWindowTitle(QStringLiteral("Threads"));
    m_playTone->setObjectName("playThreadComplete");
    m_playTone->setChecked(RegGetBool(kPlayThreadCompleteSetting, 1) != 0);
    m_speed->setObjectName("threadSpeed");
    m_speed->setRange(kSlowestThreadSpeed, kFastestThreadSpeed);
    m_speed->setPageStep(1);
    m_speed->setTickPosition(QSlider::TicksBelow);
    m_speed->setValue(std::clamp<int>(
        RegGetWord(kThreadSpeedSetting, kDefaultThreadSpeed), kSlowestThreadSpeed, kFastestThreadSpeed));

    auto* speed = new QHBoxLayout;
    speed->addWidget(new QLabel(QStringLiteral("slow"), this));
    speed->addWidget(m_speed, 1);
    speed->addWidget(new QLabel(QStringLiteral("fast"), this));
    auto* hint = new QLabel(QStringLiteral("Slower operations leave more of the processor to other programs."), this);
    hint->setEnabled(false);
    hint->setWordWrap(true);
    auto* layout = new QFormLayout(this);
    layout->addRow(m_playTone);
    layout->addRow(QStringLiteral("Thread speed"), speed);
    layout->addRow(QString(), hint);
}

void ThreadsPage::apply()
{
    RegWriteString(kPlayThreadCompleteSetting, m_playTone->isChecked() ? "1" : "0");
    RegWriteString(kThreadSpeedSetting, std::to_string(m_speed->value()).c_str());
}

} // namespace kx
