#include "ThreadCommands.h"

#include "CommandIds.h"

#include <vector>

namespace kx {

namespace {

    /// Menu, accelerator and tool bar commands that start an operation thread.
    const std::vector<ThreadCommand> kThreadCommands = {
        { CmdVolume, ShowVolume, ChangeVolume, OpVolume, false },
        { CmdFadeIn, ShowFadeIn, FadeIn, OpFadeIn, false },
        { CmdFadeOut, ShowFadeOut, FadeOut, OpFadeOut, false },
        { CmdVelocity, ShowVelocity, Velocity, OpVelocity, false },
        { CmdReverse, nullptr, Reverse, OpReverse, false },
        { CmdSoften, ShowLowPass, LowPass, OpLowPass, false },
        { CmdFadeLeftToRight, nullptr, FadeChannelsLeftToRight, OpFadeLeftToRight, false },
        { CmdMaxVolume, nullptr, SetMaxVolume, OpPeakVolume, false },
        { CmdFadeRightToLeft, nullptr, FadeChannelsRightToLeft, OpFadeRightToLeft, false },
        { CmdZeroize, nullptr, Zeroize, OpZeroize, false },
        // The menu's "Insert Silence..." inserts at the cursor whatever is marked.
        { CmdInsertSilence, ShowSilence, InsertSilence, OpInsertSilence, false },
        { CmdCopy, nullptr, CopyToClipboard, OpCopy, true },
        { CmdPaste, nullptr, PasteFromClipboard, OpPaste, true },
        { CmdMix, nullptr, PasteMixFromClipboard, OpMix, true },
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
