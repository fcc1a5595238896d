#include "SoundFixtures.h"

#include <QFile>

#include <sndfile.h>

#include <cmath>
#include <vector>

namespace SoundFixtures {

bool writeTone(const QString& path, Format format, int ms, int sampleRate, int channels,
               float level, bool steady) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    switch (format) {
    case Format::Wav:
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        break;
    case Format::Flac:
        info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
        break;
    case Format::Ogg:
        info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
        break;
    case Format::Mp3:
        info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
        break;
    }
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const sf_count_t frames = sf_count_t(sampleRate) * ms / 1000;
    std::vector<float> samples(size_t(frames) * size_t(channels));
    for (sf_count_t i = 0; i < frames; ++i) {
        const float value =
            steady ? level : level * float(std::sin(2.0 * M_PI * 440.0 * double(i) / sampleRate));
        for (int c = 0; c < channels; ++c)
            samples[size_t(i) * size_t(channels) + size_t(c)] = value;
    }
    const bool written = frames == 0 || sf_writef_float(file, samples.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace SoundFixtures
