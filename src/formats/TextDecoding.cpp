#include "formats/TextDecoding.h"

#include <QStringDecoder>

bool IsValidUtf8(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes); // decode() is lazy until converted
    return !utf8.hasError();
}

QString DecodeLegacyText(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    // Notepad's "Unicode" saves: UTF-16 with its byte-order mark.
    if (view.startsWith("\xFF\xFE") || view.startsWith("\xFE\xFF")) {
        const bool le = view.startsWith("\xFF\xFE");
        QStringDecoder utf16(le ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        return utf16.decode(view.sliced(2));
    }
    const bool bom = view.startsWith("\xEF\xBB\xBF");
    if (bom)
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    // A BOM followed by invalid UTF-8 is still most likely a damaged UTF-8 file;
    // the replacement characters show where, instead of GB18030 gibberish.
    if (bom)
        return text;
    QStringDecoder gb("GB18030", QStringDecoder::Flag::Stateless);
    if (gb.isValid())
        return gb.decode(bytes);
    // Without ICU the codec is missing; keep the text readable where it is ASCII.
    return text;
}
