// The Drawtone dialogs: the user draws a curve of pins, and OK hands it to the curve's thread
// routine, which the editor starts next.
#include "CurveGraph.h"
#include "DialogPlacement.h"
#include "ModalDialogs.h"
#include "ParameterDialog.h"
#include "documents/SharedDocument.h"
#include "exports/ActiveDocument.h"
#include "exports/DrawnCurve.h"
#include "exports/MessageBoxes.h"
#include "exports/WindowRegistry.h"
#include "filters/FilterSettings.h"

#include "paneldraw/settings.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <mutex>

using namespace kx;

namespace {

/// The Drawtone dialogs sit this far above the frame's centre.
constexpr int kRaise = 25;

struct CurveEditor {
    QString title;
    /// Room left of the graph.
    int leftMargin;
    const filtersettings::WordSetting& pinCount;
    QString help;
    bool needsStereo;
};

const CurveEditor kVolumeEditor { QStringLiteral("Drawtone - Change Volume"), 10, filtersettings::kDrawtoneVolumePins,
    QStringLiteral("Drag the pins to draw the volume course: the middle line keeps the volume, the top "
                   "doubles it and the bottom silences the sound."),
    false };
const CurveEditor kFadeEditor { QStringLiteral("Drawtone - Fade Channels"), 30, filtersettings::kDrawtoneFadePins,
    QStringLiteral("Drag the pins to draw the channel course: where the line rises the sound moves from "
                   "the left channel to the right one, where it stays level or falls from the right to "
                   "the left."),
    true };

class DrawtoneDialog : public QDialog {
public:
    DrawtoneDialog(HWND frame, const CurveEditor& editor)
        : QDialog(WindowRegistry::window(frame))
        , m_editor(editor)
    {
        setWindowTitle(editor.title);
        auto* layout = new QGridLayout(this);
        layout->setContentsMargins(editor.leftMargin - 1, 9, 10, 10);
        m_graph = new CurveGraph(this);
        layout->addWidget(m_graph, 0, 0, 4, 1);

        auto* area = new QGroupBox(QStringLiteral("Range"), this);
        auto* areaLayout = new QVBoxLayout(area);
        m_whole = new QRadioButton(QStringLiteral("Whole file"), area);
        m_whole->setObjectName(QStringLiteral("radio10"));
        m_marked = new QRadioButton(QStringLiteral("Marked area"), area);
        m_marked->setObjectName(QStringLiteral("radio11"));
        areaLayout->addWidget(m_whole);
        areaLayout->addWidget(m_marked);
        layout->addWidget(area, 0, 1);

        auto* pins = new QHBoxLayout;
        pins->addWidget(new QLabel(QStringLiteral("Pins:"), this));
        m_count = new QSpinBox(this);
        m_count->setObjectName(QStringLiteral("field113"));
        m_count->setRange(curve::kMinPins, curve::kMaxPins);
        m_count->setValue(clampPinCount(RegGetWord(editor.pinCount.path, editor.pinCount.defaultValue)));
        pins->addWidget(m_count);
        layout->addLayout(pins, 1, 1);
        auto* reset = new QPushButton(QStringLiteral("Reset Pin Positions"), this);
        reset->setObjectName(QStringLiteral("button114"));
        layout->addWidget(reset, 2, 1);

        auto* value = new QHBoxLayout;
        value->addWidget(new QLabel(QStringLiteral("Current value:"), this));
        m_value = new QLineEdit(QStringLiteral("100"), this);
        m_value->setObjectName(QStringLiteral("field115"));
        m_value->setReadOnly(true);
        m_value->setMaximumWidth(50);
        value->addWidget(m_value);
        layout->addLayout(value, 3, 1);

        auto* buttons = new QDialogButtonBox(this);
        QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
        ok->setObjectName(QStringLiteral("button1"));
        ok->setDefault(true);
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
            ->setObjectName(QStringLiteral("button2"));
        QPushButton* help = buttons->addButton(QStringLiteral("&?"), QDialogButtonBox::HelpRole);
        help->setObjectName(QStringLiteral("button998"));
        layout->addWidget(buttons, 4, 0, 1, 2);

        m_graph->setPins(defaultPins(m_count->value()));
        connect(m_graph, &CurveGraph::valueShown, this,
            [this](int percent) { m_value->setText(QString::number(percent)); });
        connect(reset, &QPushButton::clicked, this, [this] { resetPins(); });
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
            MessageBoxes::show({ this, m_editor.title, m_editor.help, QMessageBox::Information });
        });
    }

    CurveGraph* graph() const { return m_graph; }
    bool markedArea() const { return m_marked->isChecked(); }
    int pinCount() const { return m_count->value(); }

    /// Whole file when nothing is marked, else the mark.
    void offerMark(bool marked)
    {
        m_marked->setEnabled(marked);
        (marked ? m_marked : m_whole)->setChecked(true);
    }

private:
    void resetPins()
    {
        m_graph->setPins(defaultPins(m_count->value()));
        m_value->setText(QStringLiteral("100"));
        writeNumber(m_editor.pinCount.path, m_count->value());
    }

    const CurveEditor& m_editor;
    CurveGraph* m_graph = nullptr;
    QRadioButton* m_whole = nullptr;
    QRadioButton* m_marked = nullptr;
    QSpinBox* m_count = nullptr;
    QLineEdit* m_value = nullptr;
};

int32_t showCurveEditor(HWND frame, const CurveEditor& editor)
{
    DrawtoneDialog dialog(frame, editor);
    const ActiveDocument active = activeDocument(frame);
    bool stereo = false;
    if (active.shared) {
        std::shared_lock lock(active.shared->lock);
        dialog.offerMark(active.shared->document.mark.markLength != 0);
        stereo = active.shared->document.header.nChannels == 2;
    } else {
        dialog.offerMark(false);
    }
    placeAboveCentre(dialog, WindowRegistry::window(frame), kRaise);
    if (ModalDialogs::run(dialog) != QDialog::Accepted)
        return 0;
    writeNumber(editor.pinCount.path, dialog.pinCount());
    if (!active.shared)
        return 0;
    if (editor.needsStereo && !stereo) {
        MessageBoxes::show({ nullptr, editor.title,
            QStringLiteral("The channels can only be faded in a stereo file; nothing was changed."),
            QMessageBox::Information, QMessageBox::Ok, frame });
        return 0;
    }
    storeDrawnCurve({ dialog.graph()->pins(), dialog.markedArea() });
    return 1;
}

} // namespace

extern "C" {

int32_t ShowDTVolume(HWND frame)
{
    return showCurveEditor(frame, kVolumeEditor);
}

int32_t ShowDTFadeChannels(HWND frame)
{
    return showCurveEditor(frame, kFadeEditor);
}

} // extern "C"
