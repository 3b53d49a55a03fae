#include "ThreadCommands.h"

#include "CommandIds.h"
#include "exports/ClipboardCut.h"
#include "exports/UndoThread.h"

#include <vector>

namespace kx {

namespace {

    /// Menu, accelerator and tool bar commands that start an operation thread.
    const std::vector<ThreadCommand> kThreadCommands = {
        { CmdVolume, ShowVolume, ChangeVolume, OpVolume },
        { CmdFadeIn, ShowFadeIn, FadeIn, OpFadeIn },
        { CmdFadeOut, ShowFadeOut, FadeOut, OpFadeOut },
        { CmdVelocity, ShowVelocity, Velocity, OpVelocity },
        { CmdReverse, nullptr, Reverse, OpReverse },
        { CmdUndo, nullptr, UndoOperation, OpUndo },
        { CmdRedo, nullptr, RedoOperation, OpRedo },
        { CmdSoften, ShowLowPass, LowPass, OpLowPass },
        { CmdFadeLeftToRight, nullptr, FadeChannelsLeftToRight, OpFadeLeftToRight },
        { CmdMaxVolume, nullptr, SetMaxVolume, OpPeakVolume },
        { CmdFadeRightToLeft, nullptr, FadeChannelsRightToLeft, OpFadeRightToLeft },
        { CmdZeroize, nullptr, Zeroize, OpZeroize },
        { CmdDrawtoneVolume, ShowDTVolume, DrawtoneVolume, OpDrawtoneVolume },
        { CmdDrawtoneFadeChannels, ShowDTFadeChannels, DrawtoneFadeChannels, OpDrawtoneFadeChannels },
        // The menu's "Insert Silence..." inserts at the cursor whatever is marked.
        { CmdInsertSilence, ShowSilence, InsertSilence, OpInsertSilence },
        { CmdCut, nullptr, cutToClipboard, OpCopy },
        { CmdCopy, nullptr, CopyToClipboard, OpCopy },
        { CmdPaste, nullptr, PasteFromClipboard, OpPaste },
        { CmdMix, nullptr, PasteMixFromClipboard, OpMix },
    };

} // namespace

const ThreadCommand* findThreadCommand(int id)
{
    for (const ThreadCommand& command : kThreadCommands) {
        if (command.id == id && command.routine)
            return &command;
    }
    return nullptr;
}

} // namespace kx
