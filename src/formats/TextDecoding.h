#pragma once
// Text files from older installations (prize.ini, candidate lists) were saved
// in the Chinese Windows code page; newer ones are UTF-8. One rule for all.
#include <QByteArray>
#include <QString>

// Decodes bytes as UTF-8 (a leading byte-order mark is dropped) when they are
// valid UTF-8, otherwise as GB18030. Bytes that begin with a UTF-16 byte-order
// mark are read as UTF-16. GB18030 maps every byte sequence, so the
// result is never empty for non-empty input and decoding never fails.
QString DecodeLegacyText(const QByteArray& bytes);

// True when the bytes are valid UTF-8 (an empty array is).
bool IsValidUtf8(const QByteArray& bytes);
