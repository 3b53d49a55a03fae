#include "StartTips.h"

namespace kx {

namespace {

    constexpr const char* kTips[kTipCount] = {
        "Every filter runs on a thread of its own: while one file is being worked on you can go on "
        "editing another. The Thread Manager in the 'Window' menu lists what is running.",
        "Drag sound files from your file manager onto Kestrix2000 to open them. Besides WAV files it "
        "opens FLAC, Ogg, MP3 and the sound of AVI files.",
        "A technology called Drawtone allows you to visually change a volume or speed course of an existing "
        "sound file.",
        "You can view the sound files in different zoom factors.\nSelect the 'Zoom'-rolldown-menu for some "
        "predefined zoom factors.",
        "You can open a number of recent opened files by selecting the 'Recent Files'-rolldown-menu.",
        "Holding down the Control - Key when dragging data from the clipboard into a file mixes the clipboard "
        "with the given data instead of pasting.",
        "Undo goes back one step at a time (Ctrl + Z) and Redo forward again (Ctrl + Y). How many steps are "
        "kept is set on the 'General' page of the options.",
        "'Save as...' writes WAV files, and FLAC, Ogg Vorbis, Opus or MP3 files in the quality you choose.",
        "WAV files too large to load can go to the Bulkwave Loader, which plays them straight from the disk "
        "and loads just the part you mark into a window of its own.",
        "Kestrix2000 is the FIRST ever sound editing applications that makes heavy use of threads and allows "
        "extensions without recompiling.",
    };

} // namespace

const char* startTip(int number)
{
    return number >= 1 && number <= kTipCount ? kTips[number - 1] : kTips[0];
}

int nextTip(int number)
{
    return number >= kTipCount || number < 1 ? 1 : number + 1;
}

} // namespace kx
