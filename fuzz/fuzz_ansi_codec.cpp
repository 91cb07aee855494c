// Random bytes through decode and encode must come back byte for byte, and decoding
// must never leave a lone surrogate in the text. Decoding the same bytes in pieces must
// give the same text; the piece lengths (0 to 8) come from the input's own bytes, so
// the fuzzer steers where sequences are cut.
#include "editor/file/AnsiCodec.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = korvane::AnsiCodec::decode(bytes);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate()) {
            if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate())
                abort();
            ++i;
        } else if (text[i].isLowSurrogate()) {
            abort();
        }
    }
    if (korvane::AnsiCodec::encode(text) != bytes)
        abort();

    korvane::AnsiCodec::Decoder decoder;
    QString pieces;
    qsizetype pos = 0;
    for (size_t k = 0; pos < bytes.size(); ++k) {
        // Every other piece is at least one byte long, so the loop always ends.
        const qsizetype length = std::min<qsizetype>((data[k % size] & 7) + (k & 1), bytes.size() - pos);
        decoder.decode(bytes.sliced(pos, length), pieces);
        pos += length;
    }
    decoder.finish(pieces);
    if (pieces != text)
        abort();
    return 0;
}
