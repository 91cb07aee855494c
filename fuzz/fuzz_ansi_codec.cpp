// Random bytes through decode and encode must come back byte for byte, and decoding
// must never leave a lone surrogate in the text.
#include "editor/AnsiCodec.h"

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
    return 0;
}
