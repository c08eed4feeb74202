#include "platform/xmldom/windows1250.h"

#include <libxml/encoding.h>

#include <array>
#include <cstdint>

namespace {

// Unicode of the bytes 0x80-0xFF; 0 where the code page defines no character.
constexpr std::array<uint16_t, 128> kUpperHalf = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, //
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, //
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, //
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, //
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, //
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, //
};

// The byte of each character the code page holds, over the first 0x2200 code points
// (every character of the table lies below 0x2130); 0 where it holds none.
struct EncodeTable {
    std::array<uint8_t, 0x2200> byteOf{};
    constexpr EncodeTable() {
        for (int c = 0; c < 0x80; ++c)
            byteOf[c] = uint8_t(c);
        for (int i = 0; i < 128; ++i)
            if (kUpperHalf[i]) byteOf[kUpperHalf[i]] = uint8_t(0x80 + i);
    }
};
constexpr EncodeTable kEncode;

// libxml2's codec calling convention: convert what fits, report in *inlen and *outlen the
// bytes taken and written; -2 stops at a byte (or character) that cannot be converted,
// which the library reports as an input error or writes as a character reference.
int decode(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
    const unsigned char* const inStart = in;
    const unsigned char* const inEnd = in + *inlen;
    unsigned char* const outStart = out;
    unsigned char* const outEnd = out + *outlen;
    int result = 0;
    while (in < inEnd) {
        const unsigned char b = *in;
        if (b < 0x80) {
            if (out >= outEnd) break;
            *out++ = b;
        } else {
            const uint16_t u = kUpperHalf[b - 0x80];
            if (!u) {
                result = -2;
                break;
            }
            const int size = u < 0x800 ? 2 : 3;
            if (outEnd - out < size) break;
            if (size == 2) {
                *out++ = uint8_t(0xC0 | (u >> 6));
            } else {
                *out++ = uint8_t(0xE0 | (u >> 12));
                *out++ = uint8_t(0x80 | ((u >> 6) & 0x3F));
            }
            *out++ = uint8_t(0x80 | (u & 0x3F));
        }
        ++in;
    }
    *inlen = int(in - inStart);
    *outlen = int(out - outStart);
    return result < 0 ? result : *outlen;
}

int encode(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
    const unsigned char* const inStart = in;
    const unsigned char* const inEnd = in + *inlen;
    unsigned char* const outStart = out;
    unsigned char* const outEnd = out + *outlen;
    int result = 0;
    while (in < inEnd && out < outEnd) {
        const unsigned char lead = *in;
        if (lead < 0x80) {
            *out++ = lead;
            ++in;
            continue;
        }
        const int size = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (size == 0) { // a continuation byte where a character should start
            result = -2;
            break;
        }
        if (inEnd - in < size) { // the rest of the character comes with the next chunk
            result = -3;
            break;
        }
        uint32_t c = lead & (0x7F >> size);
        for (int i = 1; i < size; ++i)
            c = (c << 6) | (in[i] & 0x3F);
        const uint8_t b = c < kEncode.byteOf.size() ? kEncode.byteOf[c] : 0;
        if (!b) {
            result = -2;
            break;
        }
        *out++ = b;
        in += size;
    }
    *inlen = int(in - inStart);
    *outlen = int(out - outStart);
    return result < 0 ? result : *outlen;
}

} // namespace

unsigned char windows1250Byte(char32_t c) {
    return c < kEncode.byteOf.size() ? kEncode.byteOf[c] : 0;
}

void registerWindows1250Codec() {
    // Registers the handler under its name, upper-cased as the library looks names up.
    xmlNewCharEncodingHandler("WINDOWS-1250", decode, encode);
    xmlAddEncodingAlias("WINDOWS-1250", "CP1250");
}
