#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace korvane {

// The byte level of UTF-8 files: where valid UTF-8 ends, and the bytes Save writes.
class Utf8Codec {
public:
    static constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
    static constexpr int ByteOrderMarkSize = 3;

    struct Scan {
        qsizetype valid = 0;    // the bytes before this are complete, valid sequences
        bool cutShort = false;  // the rest is the start of a valid sequence the end cut off
        bool multiByte = false; // a sequence of two or more bytes was among the valid ones
    };
    // Valid means RFC 3629: no overlong forms, no surrogates, nothing above U+10FFFF.
    static Scan scan(QByteArrayView bytes);

    struct Decoded {
        qsizetype read = 0;     // bytes decoded: complete, valid sequences
        qsizetype written = 0;  // UTF-16 units written
        bool multiByte = false; // a sequence of two or more bytes was among them
    };
    // Decodes bytes into out, which has room for bytes.size() units, up to the first byte
    // that does not begin a valid sequence (by scan()'s rules) or begins one that the end
    // cuts off. The same text as Qt's decoder, without a pass of its own to validate.
    static Decoded decodeValid(QByteArrayView bytes, char16_t *out);

    // The bytes of text in UTF-8, after a byte-order mark if asked for. A lone surrogate,
    // which UTF-8 cannot hold, is written as "?", as the code page does.
    static QByteArray encode(QStringView text, bool byteOrderMark);
    // The size encode() gives without a byte-order mark, for text without lone surrogates.
    static qsizetype encodedSize(QStringView text);
};

} // namespace korvane
