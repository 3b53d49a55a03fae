#include "ZoomDialog.h"

#include "documents/SharedDocument.h"
#include "exports/ActiveDocument.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>
#include <mutex>
#include <optional>
#include <shared_mutex>

namespace kx {

namespace {

    constexpr int kMinimumZoom = 1;
    constexpr int kMaximumZoom = 30000;
    /// The zoom dialog sits this far above the frame's centre.
    constexpr int kRaise = 25;

} // namespace

/// A number field whose arrows stop at 1 and 30000, while typing may go beyond, so that OK can
/// tell the user what is allowed instead of silently taking something else.
class ZoomField : public QSpinBox {
public:
    explicit ZoomField(QWidget* parent)
        : QSpinBox(parent)
    {
        setRange(0, 99999);
    }

    void stepBy(int steps) override { setValue(std::clamp(value() + steps, kMinimumZoom, kMaximumZoom)); }

    void clearText() { lineEdit()->clear(); }

protected:
    StepEnabled stepEnabled() const override
    {
        StepEnabled enabled = StepNone;
        if (value() > kMinimumZoom)
            enabled |= StepDownEnabled;
        if (value() < kMaximumZoom)
            enabled |= StepUpEnabled;
        return enabled;
    }
};

ZoomDialog::ZoomDialog(HWND frame)
    : ParameterDialog(frame, QStringLiteral("Zoom"))
    , m_frame(frame)
    , m_document(activeDocument(frame).shared)
    , m_field(new ZoomField(this))
{
    m_field->setObjectName(QStringLiteral("field101"));
    form()->addRow(QStringLiteral("Sample values per pixel:"), m_field);
    addHelpButton("zoom.htm");
    std::optional<uint32_t> zoom;
    if (m_document) {
        // An operation holding the document is not waited for: the field starts empty then.
        std::shared_lock lock(m_document->lock, std::try_to_lock);
        if (lock.owns_lock())
            zoom = m_document->document.mark.zoom;
    }
    if (zoom)
        m_field->setValue(int(std::min<uint32_t>(*zoom, 99999)));
    else
        m_field->clearText();
}

ZoomDialog::~ZoomDialog() = default;

void ZoomDialog::accept()
{
    if (!m_document) {
        done(Rejected);
        return;
    }
    m_field->interpretText();
    const QString typed = m_field->text().trimmed();
    const int value = typed.isEmpty() ? 0 : m_field->value();
    if (value < kMinimumZoom || value > kMaximumZoom) {
        ErrorBox(m_frame, "Only values between 1 - 30000 allowed.");
        return;
    }
    {
        std::unique_lock lock(m_document->lock, std::try_to_lock);
        if (!lock.owns_lock()) {
            done(Rejected);
            return;
        }
        m_document->document.mark.zoom = uint32_t(value);
    }
    done(Accepted);
}

} // namespace kx

extern "C" int32_t ShowZoomBy(HWND frame)
{
    kx::ZoomDialog dialog(frame);
    return dialog.run(kx::kRaise) ? 1 : 0;
}
