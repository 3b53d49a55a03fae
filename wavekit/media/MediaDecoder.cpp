#include "MediaDecoder.h"

#include "FfmpegSetup.h"
#include "documents/FileTexts.h"
#include "documents/PcmFormat.h"

#include <algorithm>
#include <climits>
#include <limits>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

namespace kx {

namespace {

    struct InputFree {
        void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
    };
    struct CodecFree {
        void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
    };
    struct PacketFree {
        void operator()(AVPacket* packet) const { av_packet_free(&packet); }
    };
    struct FrameFree {
        void operator()(AVFrame* frame) const { av_frame_free(&frame); }
    };

    /// Collects decoded frames as PCM of one format, converting whatever sample format, layout and
    /// rate the decoder hands out.
    class PcmSink {
    public:
        PcmSink(uint16_t bits, uint16_t channels, uint32_t rate, std::optional<uint64_t> maxFrames)
            : m_format(bits == 16 ? AV_SAMPLE_FMT_S16 : AV_SAMPLE_FMT_U8)
            , m_channels(channels)
            , m_rate(rate)
            , m_frameBytes((bits == 16 ? 2u : 1u) * channels)
            , m_maxFrames(maxFrames.value_or(std::numeric_limits<uint64_t>::max()))
        {
        }

        ~PcmSink() { av_channel_layout_uninit(&m_inLayout); }
        PcmSink(const PcmSink&) = delete;
        PcmSink& operator=(const PcmSink&) = delete;

        bool full() const { return m_frames >= m_maxFrames; }
        /// A frame could not be converted or stored; nothing more is taken.
        bool failed() const { return m_failed; }
        bool outOfMemory() const { return m_outOfMemory; }
        uint64_t frames() const { return std::min(m_frames, m_maxFrames); }

        void add(const AVFrame* frame)
        {
            if (!m_failed)
                m_failed = !prepareFor(frame)
                    || !convert(const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
        }

        /// Takes whatever the resampler still holds.
        void flush()
        {
            if (m_resampler && !m_failed)
                m_failed = !convert(nullptr, 0);
        }

        SampleBuffer take()
        {
            m_buffer.truncate(std::size_t(std::min(m_frames, m_maxFrames) * m_frameBytes));
            return std::move(m_buffer);
        }

    private:
        bool prepareFor(const AVFrame* frame)
        {
            // One or two channels are taken as mono or left and right whatever speakers a file
            // names; unnamed positions are those FFmpeg assumes for the count.
            AVChannelLayout layout {};
            if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || frame->ch_layout.nb_channels <= 2)
                av_channel_layout_default(&layout, frame->ch_layout.nb_channels);
            else if (av_channel_layout_copy(&layout, &frame->ch_layout) < 0)
                return false;
            const bool same = m_resampler && frame->format == m_inFormat && frame->sample_rate == m_inRate
                && av_channel_layout_compare(&layout, &m_inLayout) == 0;
            if (same) {
                av_channel_layout_uninit(&layout);
                return true;
            }
            av_channel_layout_uninit(&m_inLayout);
            m_inLayout = layout;
            m_inFormat = frame->format;
            m_inRate = frame->sample_rate;
            if (openResampler())
                return true;
            // Speakers the standard mix has no place for: mix as if they stood where FFmpeg
            // assumes the channels of that count to stand.
            av_channel_layout_uninit(&m_inLayout);
            av_channel_layout_default(&m_inLayout, frame->ch_layout.nb_channels);
            return openResampler();
        }

        /// More than two channels are mixed down with FFmpeg's standard matrix: centre and
        /// surround channels at -3 dB to their side (a centre to both), the LFE channel left out,
        /// the whole scaled so that full scale on every channel does not clip.
        bool openResampler()
        {
            AVChannelLayout outLayout {};
            av_channel_layout_default(&outLayout, m_channels);
            SwrContext* context = nullptr;
            if (swr_alloc_set_opts2(&context, &outLayout, m_format, int(m_rate), &m_inLayout,
                    AVSampleFormat(m_inFormat), m_inRate, 0, nullptr)
                < 0)
                return false;
            m_resampler.reset(context);
            if (m_inLayout.nb_channels == 1 && m_channels == 2) {
                const double both[] = { 1.0, 1.0 }; // a mono source sounds the same on both sides
                swr_set_matrix(context, both, 1);
            } else if (m_inLayout.order == AV_CHANNEL_ORDER_UNSPEC && m_inLayout.nb_channels > 2) {
                setAlternatingMatrix(context);
            }
            return swr_init(context) >= 0;
        }

        /// For more channels than FFmpeg knows a layout of: odd channels to the left, even ones to
        /// the right (a mono target takes them all), each side scaled so that full scale on every
        /// channel does not clip.
        void setAlternatingMatrix(SwrContext* context)
        {
            const int inputs = m_inLayout.nb_channels;
            std::vector<double> matrix(std::size_t(inputs) * m_channels, 0.0);
            const int left = (inputs + 1) / 2;
            const int right = inputs / 2;
            for (int in = 0; in < inputs; ++in) {
                if (m_channels == 1)
                    matrix[std::size_t(in)] = 1.0 / inputs;
                else
                    matrix[std::size_t(in % 2) * std::size_t(inputs) + std::size_t(in)] = 1.0 / (in % 2 ? right : left);
            }
            swr_set_matrix(context, matrix.data(), inputs);
        }

        bool convert(const uint8_t** input, int count)
        {
            for (;;) {
                const int room = swr_get_out_samples(m_resampler.get(), count);
                if (room < 0 || !reserve(uint64_t(room)))
                    return false;
                uint8_t* out = m_buffer.data() + m_frames * m_frameBytes;
                const int got = swr_convert(m_resampler.get(), &out, room, input, count);
                if (got < 0)
                    return false;
                m_frames += uint64_t(got);
                // Drained: a call without input returned less than asked for.
                if (input || got < room || got == 0)
                    return true;
            }
        }

        bool reserve(uint64_t moreFrames)
        {
            const uint64_t needed = (m_frames + moreFrames) * m_frameBytes;
            if (needed <= m_buffer.size())
                return true;
            // The data size and the RIFF size after it are 32-bit numbers.
            const uint64_t limit = std::numeric_limits<uint32_t>::max() - 36;
            if (std::min(m_frames + moreFrames, m_maxFrames) * m_frameBytes > limit) {
                m_outOfMemory = true;
                return false;
            }
            const uint64_t grown = std::min(std::max<uint64_t>(needed, m_buffer.size() * 3 / 2 + (1u << 20)),
                std::max(needed, limit - limit % m_frameBytes));
            if (m_buffer.isNull()) {
                m_buffer = SampleBuffer::allocate(std::size_t(grown));
                m_outOfMemory = m_buffer.isNull();
            } else {
                m_outOfMemory = !m_buffer.resize(std::size_t(grown));
            }
            return !m_outOfMemory;
        }

        AVSampleFormat m_format;
        uint16_t m_channels;
        uint32_t m_rate;
        uint32_t m_frameBytes;
        uint64_t m_maxFrames;
        SwrContextPointer m_resampler;
        AVChannelLayout m_inLayout {};
        int m_inFormat = -1;
        int m_inRate = 0;
        SampleBuffer m_buffer;
        uint64_t m_frames = 0;
        bool m_failed = false;
        bool m_outOfMemory = false;
    };

    uint16_t targetBits(const AVCodecParameters& parameters, const DecodeRequest& request)
    {
        if (request.keepPcmBits && parameters.codec_id == AV_CODEC_ID_PCM_U8)
            return 8;
        if (request.keepPcmBits && parameters.codec_id == AV_CODEC_ID_PCM_S16LE)
            return 16;
        return request.bits == 16 ? 16 : 8;
    }

    /// Hands every frame the decoder has ready to the sink; false on a decode error.
    bool drain(AVCodecContext* codec, AVFrame* frame, PcmSink& sink)
    {
        for (;;) {
            const int result = avcodec_receive_frame(codec, frame);
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
                return true;
            if (result < 0)
                return false;
            sink.add(frame);
            av_frame_unref(frame);
        }
    }

} // namespace

DecodeStatus decodeFirstAudioStream(const std::string& path, const DecodeRequest& request, DecodedSound& sound)
{
    quietFfmpeg();
    // Only the local file itself, read by the demuxers of the kinds we offer: a playlist or a
    // concatenation dressed up as a sound file must not make us fetch or read anything else.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    av_dict_set(&options, "format_whitelist", "wav,avi,flac,ogg,mp3", 0);
    AVFormatContext* rawInput = nullptr;
    const int opened = avformat_open_input(&rawInput, ("file:" + path).c_str(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0)
        return DecodeStatus::CannotOpen;
    std::unique_ptr<AVFormatContext, InputFree> input(rawInput);
    if (avformat_find_stream_info(input.get(), nullptr) < 0)
        return DecodeStatus::CannotOpen;

    const AVStream* stream = nullptr;
    for (unsigned i = 0; i < input->nb_streams && !stream; ++i) {
        if (input->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            stream = input->streams[i];
    }
    if (!stream)
        return DecodeStatus::NoSound;
    for (unsigned i = 0; i < input->nb_streams; ++i)
        input->streams[i]->discard = input->streams[i] == stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;

    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!decoder)
        return DecodeStatus::CannotDecode;
    std::unique_ptr<AVCodecContext, CodecFree> codec(avcodec_alloc_context3(decoder));
    if (!codec || avcodec_parameters_to_context(codec.get(), stream->codecpar) < 0)
        return DecodeStatus::CannotDecode;
    codec->pkt_timebase = stream->time_base;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0)
        return DecodeStatus::CannotDecode;
    if (codec->sample_rate <= 0 || codec->ch_layout.nb_channels <= 0)
        return DecodeStatus::CannotDecode;

    const uint16_t bits = targetBits(*stream->codecpar, request);
    const uint16_t channels = codec->ch_layout.nb_channels == 1 ? 1 : 2;
    const uint32_t rate = uint32_t(codec->sample_rate);
    if (!PcmFormat { bits, channels, rate }.hasCountableRate())
        return DecodeStatus::CannotDecode;
    PcmSink sink(bits, channels, rate, request.maxFrames);

    std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    if (!packet || !frame)
        return DecodeStatus::OutOfMemory;
    bool damaged = false;
    int result = 0;
    auto stopped = [&request] { return request.stop && request.stop->load(std::memory_order_relaxed); };
    while (!sink.failed() && !sink.full() && !stopped() && (result = av_read_frame(input.get(), packet.get())) >= 0) {
        if (packet->stream_index == stream->index) {
            // A packet the decoder refuses is lost; the sound goes on after it.
            const int sent = avcodec_send_packet(codec.get(), packet.get());
            if (sent < 0 && sent != AVERROR(EAGAIN))
                damaged = true;
            if (!drain(codec.get(), frame.get(), sink))
                damaged = true;
        }
        av_packet_unref(packet.get());
    }
    if ((result < 0 && result != AVERROR_EOF) || stopped())
        damaged = true;
    if (!sink.failed() && !sink.full() && avcodec_send_packet(codec.get(), nullptr) >= 0
        && !drain(codec.get(), frame.get(), sink))
        damaged = true;
    sink.flush();
    damaged = damaged || sink.failed();
    if (sink.outOfMemory())
        return DecodeStatus::OutOfMemory;
    if (sink.frames() == 0 && damaged)
        return DecodeStatus::CannotDecode;

    sound.header = WaveHeader {};
    sound.header.wBitsPerSample = bits;
    sound.header.nChannels = channels;
    sound.header.nSamplesPerSec = rate;
    sound.header.nBlockAlign = uint16_t(bits / 8 * channels);
    sound.header.nAvgBytesPerSec = rate * sound.header.nBlockAlign;
    sound.samples = sink.take();
    sound.header.setDataSize(uint32_t(sound.samples.size()));
    sound.damaged = damaged;
    // Containers keep tags with the file (FLAC, MP3, WAV) or with the stream (Ogg).
    sound.texts = FileTextInfo {};
    for (const AVDictionary* tags : { input->metadata, stream->metadata }) {
        const AVDictionaryEntry* tag = nullptr;
        while ((tag = av_dict_get(tags, "", tag, AV_DICT_IGNORE_SUFFIX)))
            takeText(sound.texts, tag->key, tag->value);
    }
    sound.texts.hasInfoList = hasTexts(sound.texts) ? 1 : 0;
    return DecodeStatus::Ok;
}

} // namespace kx
