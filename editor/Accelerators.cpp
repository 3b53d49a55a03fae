#include "Accelerators.h"

#include "CommandIds.h"

#include <QStringList>

#include <array>

namespace kx {

namespace {

    QKeySequence keys(Qt::KeyboardModifiers modifiers, Qt::Key key)
    {
        return QKeySequence(QKeyCombination(modifiers, key));
    }

    const std::array<Accelerator, 27>& table()
    {
        static const std::array<Accelerator, 27> list = { {
            { keys(Qt::ControlModifier, Qt::Key_A), CmdMarkAll },
            { keys(Qt::ControlModifier, Qt::Key_C), CmdCopy },
            { keys(Qt::ControlModifier, Qt::Key_M), CmdDestroyMark },
            { keys(Qt::ControlModifier, Qt::Key_N), CmdNew },
            { keys(Qt::ControlModifier, Qt::Key_O), CmdOpen },
            { keys(Qt::ControlModifier, Qt::Key_P), CmdPlay },
            { keys(Qt::ControlModifier, Qt::Key_R), CmdRebuildPreview },
            { keys(Qt::ControlModifier, Qt::Key_S), CmdSave },
            { keys(Qt::ControlModifier, Qt::Key_T), CmdStop },
            { keys(Qt::ControlModifier, Qt::Key_V), CmdPaste },
            { keys(Qt::ControlModifier, Qt::Key_X), CmdCut },
            { keys(Qt::ControlModifier, Qt::Key_Z), CmdUndo },
            { keys(Qt::ControlModifier, Qt::Key_Y), CmdRedo },
            { keys(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z), CmdRedo },
            { keys(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus), CmdVolumeUp },
            { keys(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus), CmdVolumeDown },
            { keys(Qt::NoModifier, Qt::Key_Delete), CmdDelete },
            { keys(Qt::ShiftModifier, Qt::Key_Delete), CmdCrop },
            { keys(Qt::ShiftModifier, Qt::Key_F1), CmdHelpContents },
            { keys(Qt::ShiftModifier, Qt::Key_F4), CmdCascade },
            { keys(Qt::ShiftModifier, Qt::Key_F5), CmdTile },
            { keys(Qt::ControlModifier, Qt::Key_Insert), CmdCopy },
            { keys(Qt::ShiftModifier, Qt::Key_Insert), CmdPaste },
            { keys(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Insert), CmdMix },
            // The keys users of sound editors reach for first.
            { keys(Qt::NoModifier, Qt::Key_Space), CmdPlayOrStop },
            { keys(Qt::NoModifier, Qt::Key_Home), CmdCursorToStart },
            { keys(Qt::NoModifier, Qt::Key_End), CmdCursorToEnd },
        } };
        return list;
    }

} // namespace

std::span<const Accelerator> accelerators()
{
    return table();
}

QString acceleratorText(int id)
{
    for (const Accelerator& accelerator : table()) {
        if (accelerator.id == id) {
            // Spaced like the Undo item's "Ctrl + Z".
            return accelerator.keys.toString(QKeySequence::PortableText).split(QLatin1Char('+')).join(" + ");
        }
    }
    return {};
}

} // namespace kx
