#include "Commands.h"
#include "OutputFile.h"

#include "documents/NamedLock.h"

namespace kx::cli {

namespace {

    /// A plain PCM WAV file opens as it is, so it is streamed, whatever its size.
    int openPlainPcm(const ParsedCommand& command)
    {
        if (command.parameters.count("raw"))
            return NeedsFullProgram;
        // One file is opened at a time, as in the editor.
        NamedLock fileOpen("KexFileOpen");
        fileOpen.lock();
        WavStreamReader pcm;
        if (pcm.open(command.files[0]) != WavReadStatus::Ok || !pcm.isPlainPcm())
            return NeedsFullProgram;
        return streamOutputFile(
            pcm, command.files[1], [](FileStream& stream, const WaveHeader&) { return stream.copy(); });
    }

} // namespace

Command pcmOpenCommand()
{
    return { { "open", "open [raw=BITS,CHANNELS,RATE] IN OUT", {}, {}, { "raw" }, 2 }, openPlainPcm };
}

} // namespace kx::cli
