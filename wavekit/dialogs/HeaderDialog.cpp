#include "HeaderDialog.h"

#include "DialogButtons.h"
#include "DialogPlacement.h"
#include "FormatControls.h"
#include "documents/MarkOnFrames.h"
#include "documents/SharedDocument.h"
#include "documents/UndoStore.h"
#include "exports/WaveFormats.h"
#include "exports/WindowRegistry.h"

#include <QVBoxLayout>

#include <cstring>
#include <mutex>

namespace kx {

HeaderDialog::HeaderDialog(HWND frame, HWND wave, const WaveHeader& header, QWidget* parent)
    : QDialog(parent)
    , m_frame(frame)
    , m_wave(wave)
    , m_controls(new FormatControls(true, this))
{
    setWindowTitle(QStringLiteral("Settings"));
    m_controls->setFields(headerDialogFields(header));
    m_controls->followChoice();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_controls);
    DialogButtons buttons(this, layout);
    connect(buttons.add(QStringLiteral("&Change Settings"), "button1"), &QPushButton::clicked, this,
        [this] { changeSettings(); });
    m_convert = buttons.add(QStringLiteral("C&onvert"), "button110");
    connect(m_convert, &QPushButton::clicked, this, [this] { convert(); });
    connect(buttons.add(QStringLiteral("&Cancel"), "button2"), &QPushButton::clicked, this, [this] { done(0); });
    placeAboveCentre(*this, parent, 30);
}

void HeaderDialog::changeSettings()
{
    auto shared = WindowRegistry::document(m_wave);
    if (!shared) { // the window went away meanwhile
        done(0);
        return;
    }
    std::optional<std::string> refusal;
    {
        std::unique_lock lock(shared->lock);
        WaveDocument& document = shared->document;
        const WaveHeader before = document.header;
        const bool recorded = UndoStore::saveReplace(document, 0, 0, 0, "Change Settings", true);
        refusal = kx::changeSettings(document.header, m_controls->choice());
        // The bytes stay as they are, so older steps still fit them whether or not this one is kept.
        if (recorded && (refusal || std::memcmp(&before, &document.header, sizeof before) == 0))
            UndoStore::withdraw(document);
        // An end inside a frame would put every later paste off the sample grid.
        if (!refusal)
            document.mark = markOnWholeFrames(document.mark, document.header.nBlockAlign, document.header.dataSize);
    }
    if (refusal) {
        m_controls->refuse(*refusal);
        return;
    }
    done(1);
}

void HeaderDialog::convert()
{
    // No second conversion while this one runs.
    m_convert->setEnabled(false);
    std::string refusal;
    const std::optional<PcmFormat> target = conversionTarget(m_controls->choice(), refusal);
    if (!target) {
        m_controls->refuse(refusal);
        m_convert->setEnabled(true);
        return;
    }
    if (!IsFileWorking(m_wave)) {
        const WAVEFORMATEX format = waveFormatOf(*target);
        ConvertFileParam(m_frame, &format);
    }
    done(1);
}

} // namespace kx
