#include "formats/ExifReader.h"

#include <algorithm>
#include <cstring>

namespace {
// A bounds-checked view of the TIFF structure inside the APP1 segment.
class TiffView {
public:
    TiffView(const char* data, qsizetype size) : m_data(data), m_size(size) {}

    bool readHeader() {
        if (m_size < 8)
            return false;
        if (m_data[0] == 'I' && m_data[1] == 'I')
            m_little = true;
        else if (m_data[0] == 'M' && m_data[1] == 'M')
            m_little = false;
        else
            return false;
        return u16(2) == 42;
    }
    bool has(qint64 offset, qint64 length) const {
        return offset >= 0 && length >= 0 && offset <= m_size && length <= m_size - offset;
    }
    quint32 u16(qint64 at) const {
        const auto* p = reinterpret_cast<const uchar*>(m_data + at);
        return m_little ? quint32(p[0] | (p[1] << 8)) : quint32((p[0] << 8) | p[1]);
    }
    quint32 u32(qint64 at) const {
        const auto* p = reinterpret_cast<const uchar*>(m_data + at);
        return m_little
                   ? quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24
                   : quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
    }
    const char* data() const { return m_data; }

private:
    const char* m_data;
    qsizetype m_size;
    bool m_little = true;
};

constexpr quint32 TagOrientation = 0x0112;
constexpr quint32 TagThumbnailOffset = 0x0201;
constexpr quint32 TagThumbnailLength = 0x0202;
constexpr quint32 TypeShort = 3;
constexpr quint32 TypeLong = 4;

// Reads one IFD at `offset`: calls visit(tag, type, valueOffset) for each entry
// and gives back the offset of the next IFD (0 for none or on damage).
template <class Visit> quint32 readIfd(const TiffView& tiff, quint32 offset, Visit visit) {
    if (!tiff.has(offset, 2))
        return 0;
    const quint32 count = tiff.u16(offset);
    const qint64 entries = qint64(offset) + 2;
    if (!tiff.has(entries, qint64(count) * 12 + 4))
        return 0;
    for (quint32 i = 0; i < count; ++i) {
        const qint64 entry = entries + qint64(i) * 12;
        if (tiff.u32(entry + 4) == 1) // single values only
            visit(tiff.u16(entry), tiff.u16(entry + 2), entry + 8);
    }
    return tiff.u32(entries + qint64(count) * 12);
}

void parseTiff(const TiffView& tiff, JpegExif& exif) {
    const quint32 ifd0 = tiff.u32(4);
    const quint32 ifd1 = readIfd(tiff, ifd0, [&](quint32 tag, quint32 type, qint64 value) {
        if (tag == TagOrientation && type == TypeShort) {
            const int o = int(tiff.u16(value));
            exif.orientation = (o >= 1 && o <= 8) ? o : 1;
        }
    });
    // The next IFD must lie after the first: a loop back would be damage.
    if (ifd1 == 0 || ifd1 <= ifd0)
        return;
    qint64 thumbOffset = -1;
    qint64 thumbLength = 0;
    readIfd(tiff, ifd1, [&](quint32 tag, quint32 type, qint64 value) {
        if (type != TypeLong)
            return;
        if (tag == TagThumbnailOffset)
            thumbOffset = tiff.u32(value);
        else if (tag == TagThumbnailLength)
            thumbLength = tiff.u32(value);
    });
    if (thumbLength < 4 || !tiff.has(thumbOffset, thumbLength))
        return;
    const char* thumb = tiff.data() + thumbOffset;
    if (uchar(thumb[0]) != 0xFF || uchar(thumb[1]) != 0xD8)
        return;
    exif.thumbnail = QByteArray(thumb, thumbLength);
}
} // namespace

JpegExif ReadJpegExif(const QByteArray& head) {
    JpegExif exif;
    const auto* bytes = reinterpret_cast<const uchar*>(head.constData());
    const qsizetype size = head.size();
    if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return exif;
    qsizetype pos = 2;
    while (pos + 4 <= size) {
        if (bytes[pos] != 0xFF)
            return exif;
        const uchar marker = bytes[pos + 1];
        if (marker == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        // Start of scan or end of image: no more header segments.
        if (marker == 0xDA || marker == 0xD9)
            return exif;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            pos += 2;
            continue;
        }
        const qsizetype length = qsizetype(bytes[pos + 2]) << 8 | bytes[pos + 3];
        if (length < 2)
            return exif;
        const qsizetype payload = pos + 4;
        const qsizetype payloadSize = length - 2;
        if (marker == 0xE1 && payloadSize > 6 && payload + 6 <= size &&
            memcmp(bytes + payload, "Exif\0\0", 6) == 0) {
            const qsizetype tiffSize = std::min(payloadSize - 6, size - payload - 6);
            TiffView tiff(head.constData() + payload + 6, tiffSize);
            if (tiff.readHeader())
                parseTiff(tiff, exif);
            return exif;
        }
        pos += 2 + length;
    }
    return exif;
}
