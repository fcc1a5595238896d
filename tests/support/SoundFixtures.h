#pragma once
// Small sound files for tests, written with libsndfile.
#include <QString>

namespace SoundFixtures {

enum class Format { Wav, Flac, Ogg, Mp3 };

// Writes `ms` milliseconds of sound to `path` (the format is `format`, whatever the
// extension says). A sine tone by default; with `steady` a constant level, which
// survives resampling so that a test can find the played samples again. False when
// the file could not be written.
bool writeTone(const QString& path, Format format, int ms, int sampleRate = 44100, int channels = 2,
               float level = 0.3f, bool steady = false);

// Writes `bytes` as the whole content of `path`.
bool writeBytes(const QString& path, const QByteArray& bytes);

} // namespace SoundFixtures
