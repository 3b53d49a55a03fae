#include "documents/NewDocument.h"
#include "exports/DocumentSettings.h"
#include "paneldraw/settings.h"

#include <gtest/gtest.h>

namespace {

using namespace kx;

TEST(NewDocument, DefaultsAndSettings)
{
    // A fresh store: the defaults.
    WaveDocument document = makeNewDocument(newFileFormatFromSettings(), 3, startZoomFromSettings());
    EXPECT_EQ(document.info.fileName, "Unnamed -3-.WAV");
    EXPECT_EQ(document.info.saved, 1u);
    EXPECT_EQ(document.info.working, 0u);
    EXPECT_EQ(document.info.sourceKind, SourcePcmWave);
    EXPECT_TRUE(document.samples.isNull());
    EXPECT_EQ(document.header.dataSize, 0u);
    EXPECT_EQ(document.header.riffSize, 0u);
    EXPECT_EQ(document.header.nSamplesPerSec, 22050u);
    EXPECT_EQ(document.header.nAvgBytesPerSec, 22050u);
    EXPECT_EQ(document.header.wBitsPerSample, 8);
    EXPECT_EQ(document.header.nChannels, 1);
    EXPECT_EQ(document.header.nBlockAlign, 1);
    EXPECT_EQ(document.header.wFormatTag, 1);
    EXPECT_EQ(document.header.fmtSize, 16u);
    EXPECT_EQ(std::string(document.header.waveFmtId.data(), 8), "WAVEfmt ");
    EXPECT_EQ(document.mark.zoom, 100u);
    EXPECT_EQ(document.mark.markStart, 0u);
    EXPECT_EQ(document.texts.hasInfoList, 1u);
    EXPECT_EQ(document.texts.software, "Kestrix2000 for Windows");
    EXPECT_EQ(document.undo.undoKind, UndoNothing);

    RegWriteString("Kestrix\\NewFile\\Samples", "44100");
    RegWriteString("Kestrix\\NewFile\\BytesPerSec", "176400");
    RegWriteString("Kestrix\\NewFile\\Bit", "16");
    RegWriteString("Kestrix\\NewFile\\Channels", "2");
    RegWriteString("Kestrix\\NewFile\\BytesPerSample", "4");
    RegWriteString("Kestrix\\Settings\\StartUp\\Zoom", "0");
    document = makeNewDocument(newFileFormatFromSettings(), 0, startZoomFromSettings());
    EXPECT_EQ(document.info.fileName, "Unnamed -0-.WAV");
    EXPECT_EQ(document.header.nSamplesPerSec, 44100u);
    EXPECT_EQ(document.header.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(document.header.wBitsPerSample, 16);
    EXPECT_EQ(document.header.nChannels, 2);
    EXPECT_EQ(document.header.nBlockAlign, 4);
    EXPECT_EQ(document.mark.zoom, 0u);
    RegWriteString("Kestrix\\Settings\\StartUp\\Zoom", "100");
}

} // namespace
