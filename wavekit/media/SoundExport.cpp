#include "SoundExport.h"

#include "FfmpegSetup.h"
#include "documents/FileTexts.h"
#include "documents/PendingFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <memory>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libswresample/swresample.h>
}

namespace kx {

namespace {

    struct FormatDescription {
        ExportFormat format;
        const char* name;
        const char* muxer;
        const char* encoder;
        ExportQuality quality;
    };

    constexpr FormatDescription kFormats[] = {
        { ExportFormat::Flac, "flac", "flac", "flac", { 0, 12, 5 } },
        { ExportFormat::OggVorbis, "ogg", "ogg", "libvorbis", { -1, 10, 5 } },
        { ExportFormat::Opus, "opus", "opus", "libopus", { 6, 510, 96 } },
        { ExportFormat::Mp3, "mp3", "mp3", "libmp3lame", { 0, 9, 4 } },
    };

    const FormatDescription& describe(ExportFormat format)
    {
        return *std::find_if(
            std::begin(kFormats), std::end(kFormats), [format](const auto& d) { return d.format == format; });
    }

    struct OutputFree {
        void operator()(AVFormatContext* context) const
        {
            if (context->pb) {
                av_freep(&context->pb->buffer); // ours, and perhaps replaced by FFmpeg meanwhile
                avio_context_free(&context->pb);
            }
            avformat_free_context(context);
        }
    };
    struct CodecFree {
        void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
    };
    struct FifoFree {
        void operator()(AVAudioFifo* fifo) const { av_audio_fifo_free(fifo); }
    };
    struct FrameFree {
        void operator()(AVFrame* frame) const { av_frame_free(&frame); }
    };
    struct PacketFree {
        void operator()(AVPacket* packet) const { av_packet_free(&packet); }
    };

    /// FFmpeg writes through these to the pending file's descriptor; the muxers of FLAC and MP3
    /// seek back to fill in their headers.
    int writeToFd(void* opaque, uint8_t* buffer, int size) // const in FFmpeg 7
    {
        const int fd = *static_cast<int*>(opaque);
        int done = 0;
        while (done < size) {
            const ssize_t wrote = ::write(fd, buffer + done, std::size_t(size - done));
            if (wrote < 0 && errno == EINTR)
                continue;
            if (wrote <= 0)
                return AVERROR(EIO);
            done += int(wrote);
        }
        return done;
    }

    int64_t seekFd(void* opaque, int64_t offset, int whence)
    {
        const int fd = *static_cast<int*>(opaque);
        if (whence == AVSEEK_SIZE) {
            const off_t here = ::lseek(fd, 0, SEEK_CUR);
            const off_t end = ::lseek(fd, 0, SEEK_END);
            ::lseek(fd, here, SEEK_SET);
            return end;
        }
        const off_t at = ::lseek(fd, offset, whence & ~AVSEEK_FORCE);
        return at < 0 ? AVERROR(errno) : at;
    }

    /// The document's rate where the encoder takes it, else the nearest it offers above it.
    int encoderRate(const AVCodec* codec, int rate)
    {
        const int* rates = codec->supported_samplerates;
        if (!rates)
            return rate;
        int best = 0, highest = 0;
        for (; *rates; ++rates) {
            if (*rates == rate)
                return rate;
            if (*rates > rate && (best == 0 || *rates < best))
                best = *rates;
            highest = std::max(highest, *rates);
        }
        return best ? best : highest;
    }

    AVSampleFormat encoderSampleFormat(const AVCodec* codec)
    {
        if (!codec->sample_fmts)
            return AV_SAMPLE_FMT_S16;
        for (const AVSampleFormat* f = codec->sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f) {
            if (*f == AV_SAMPLE_FMT_S16) // no conversion loses nothing
                return *f;
        }
        return codec->sample_fmts[0];
    }

    void setQuality(AVCodecContext* codec, ExportFormat format, int quality)
    {
        switch (format) {
        case ExportFormat::Flac:
            codec->compression_level = quality;
            break;
        case ExportFormat::OggVorbis:
        case ExportFormat::Mp3:
            codec->flags |= AV_CODEC_FLAG_QSCALE;
            codec->global_quality = quality * FF_QP2LAMBDA;
            break;
        case ExportFormat::Opus:
            codec->bit_rate = int64_t(quality) * 1000;
            break;
        }
    }

    void setTags(AVDictionary** tags, const FileTextInfo& texts)
    {
        for (const TextField& field : kTextFields) {
            const std::string& value = texts.*field.member;
            // The muxers write their own "encoder": the program that made the sound goes out as
            // the one that encoded it, unless the document names that one.
            const char* key = field.member == &FileTextInfo::software ? "encoded_by" : field.key;
            if (!value.empty())
                av_dict_set(
                    tags, key, value.c_str(), field.member == &FileTextInfo::software ? AV_DICT_DONT_OVERWRITE : 0);
        }
    }

    /// One run of an encoder into a muxer.
    class Encoding {
    public:
        Encoding(AVFormatContext* output, AVCodecContext* codec, AVStream* stream)
            : m_output(output)
            , m_codec(codec)
            , m_stream(stream)
            , m_packet(av_packet_alloc())
        {
        }

        bool send(AVFrame* frame)
        {
            if (frame) {
                frame->pts = m_nextPts;
                m_nextPts += frame->nb_samples;
            }
            if (avcodec_send_frame(m_codec, frame) < 0)
                return false;
            for (;;) {
                const int got = avcodec_receive_packet(m_codec, m_packet.get());
                if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
                    return true;
                if (got < 0)
                    return false;
                av_packet_rescale_ts(m_packet.get(), m_codec->time_base, m_stream->time_base);
                m_packet->stream_index = m_stream->index;
                if (av_interleaved_write_frame(m_output, m_packet.get()) < 0)
                    return false;
            }
        }

    private:
        AVFormatContext* m_output;
        AVCodecContext* m_codec;
        AVStream* m_stream;
        std::unique_ptr<AVPacket, PacketFree> m_packet;
        int64_t m_nextPts = 0;
    };

} // namespace

ExportQuality exportQuality(ExportFormat format)
{
    return describe(format).quality;
}

std::optional<ExportFormat> exportFormatNamed(std::string_view name)
{
    for (const FormatDescription& d : kFormats) {
        if (std::equal(name.begin(), name.end(), d.name, d.name + std::char_traits<char>::length(d.name),
                [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; }))
            return d.format;
    }
    return std::nullopt;
}

const char* exportFormatName(ExportFormat format)
{
    return describe(format).name;
}

ExportStatus exportSound(const WaveDocument& document, ExportFormat format, int quality, const std::string& path,
    const std::atomic<bool>* stop)
{
    quietFfmpeg();
    const FormatDescription& description = describe(format);
    const WaveHeader& header = document.header;
    const int channels = header.nChannels == 2 ? 2 : 1;
    const int bytesPerSample = header.wBitsPerSample == 16 ? 2 : 1;
    const AVCodec* encoder = avcodec_find_encoder_by_name(description.encoder);
    if (!encoder || header.nSamplesPerSec == 0)
        return ExportStatus::NoEncoder;

    std::unique_ptr<AVCodecContext, CodecFree> codec(avcodec_alloc_context3(encoder));
    if (!codec)
        return ExportStatus::NoEncoder;
    av_channel_layout_default(&codec->ch_layout, channels);
    codec->sample_rate = encoderRate(encoder, int(header.nSamplesPerSec));
    codec->sample_fmt = encoderSampleFormat(encoder);
    codec->time_base = AVRational { 1, codec->sample_rate };
    setQuality(codec.get(), format, std::clamp(quality, description.quality.lowest, description.quality.highest));
    if (format == ExportFormat::Flac && bytesPerSample == 1)
        codec->bits_per_raw_sample = 8; // an 8-bit FLAC file, not 16-bit samples with empty low bytes

    AVFormatContext* rawOutput = nullptr;
    if (avformat_alloc_output_context2(&rawOutput, nullptr, description.muxer, nullptr) < 0)
        return ExportStatus::NoEncoder;
    std::unique_ptr<AVFormatContext, OutputFree> output(rawOutput);
    if (output->oformat->flags & AVFMT_GLOBALHEADER)
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(codec.get(), encoder, nullptr) < 0)
        return ExportStatus::NoEncoder;
    AVStream* stream = avformat_new_stream(output.get(), nullptr);
    if (!stream || avcodec_parameters_from_context(stream->codecpar, codec.get()) < 0)
        return ExportStatus::NoEncoder;
    stream->time_base = codec->time_base;
    setTags(&output->metadata, document.texts);

    // Frames go through a resampler (format, and rate where the encoder needs another) into a
    // queue that hands the encoder frames of the size it asks for.
    AVChannelLayout layout {};
    av_channel_layout_default(&layout, channels);
    SwrContext* rawResampler = nullptr;
    if (swr_alloc_set_opts2(&rawResampler, &layout, codec->sample_fmt, codec->sample_rate, &layout,
            bytesPerSample == 2 ? AV_SAMPLE_FMT_S16 : AV_SAMPLE_FMT_U8, int(header.nSamplesPerSec), 0, nullptr)
        < 0)
        return ExportStatus::NoEncoder;
    SwrContextPointer resampler(rawResampler);
    if (swr_init(resampler.get()) < 0)
        return ExportStatus::NoEncoder;
    std::unique_ptr<AVAudioFifo, FifoFree> fifo(av_audio_fifo_alloc(codec->sample_fmt, channels, 1 << 16));
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    if (!fifo || !frame)
        return ExportStatus::NoEncoder;
    const bool anySize = (encoder->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) || codec->frame_size <= 0;
    const int frameSize = anySize ? 4096 : codec->frame_size;

    PendingFile file(path);
    if (file.fd() < 0)
        return ExportStatus::CannotWrite;
    int fd = file.fd();
    constexpr int kIoBufferSize = 1 << 16;
    auto* ioBuffer = static_cast<uint8_t*>(av_malloc(kIoBufferSize));
    output->pb = ioBuffer ? avio_alloc_context(ioBuffer, kIoBufferSize, 1, &fd, nullptr, writeToFd, seekFd) : nullptr;
    if (!output->pb) {
        av_free(ioBuffer);
        return ExportStatus::CannotWrite;
    }
    if (avformat_write_header(output.get(), nullptr) < 0)
        return ExportStatus::CannotWrite;

    Encoding encoding(output.get(), codec.get(), stream);
    auto encodeQueued = [&](bool all) {
        while (av_audio_fifo_size(fifo.get()) >= (all ? 1 : frameSize)) {
            av_frame_unref(frame.get());
            frame->nb_samples = std::min(frameSize, av_audio_fifo_size(fifo.get()));
            frame->format = codec->sample_fmt;
            frame->sample_rate = codec->sample_rate;
            if (av_channel_layout_copy(&frame->ch_layout, &codec->ch_layout) < 0
                || av_frame_get_buffer(frame.get(), 0) < 0
                || av_audio_fifo_read(fifo.get(), reinterpret_cast<void**>(frame->data), frame->nb_samples)
                    < frame->nb_samples
                || !encoding.send(frame.get()))
                return false;
        }
        return true;
    };
    auto queue = [&](const uint8_t* input, int count) {
        const int room = swr_get_out_samples(resampler.get(), count);
        uint8_t** converted = nullptr;
        if (room < 0
            || av_samples_alloc_array_and_samples(
                   &converted, nullptr, channels, std::max(room, 1), codec->sample_fmt, 0)
                < 0)
            return false;
        const int got = swr_convert(resampler.get(), converted, room, input ? &input : nullptr, count);
        const bool queued
            = got >= 0 && av_audio_fifo_write(fifo.get(), reinterpret_cast<void**>(converted), got) == got;
        av_freep(&converted[0]);
        av_freep(&converted);
        return queued;
    };

    const std::size_t frameBytes = std::size_t(channels * bytesPerSample);
    const std::size_t totalFrames = std::min<std::size_t>(header.dataSize, document.samples.size()) / frameBytes;
    constexpr std::size_t kBlockFrames = 1 << 14;
    for (std::size_t done = 0; done < totalFrames; done += kBlockFrames) {
        if (stop && stop->load(std::memory_order_relaxed))
            return ExportStatus::Stopped;
        const int count = int(std::min(kBlockFrames, totalFrames - done));
        if (!queue(document.samples.data() + done * frameBytes, count) || !encodeQueued(false))
            return ExportStatus::CannotWrite;
    }
    if (!queue(nullptr, 0) || !encodeQueued(true) || !encoding.send(nullptr) || av_write_trailer(output.get()) < 0)
        return ExportStatus::CannotWrite;
    avio_flush(output->pb);
    if (output->pb->error < 0 || !file.commit())
        return ExportStatus::CannotWrite;
    return ExportStatus::Ok;
}

} // namespace kx
