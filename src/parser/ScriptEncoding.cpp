// Script encodings: detection and the UTF-16 conversions.
#include "parser/ScriptEncoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qmk {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
// How much of a file without a byte-order mark is looked at to recognise UTF-16LE.
constexpr std::size_t kProbeBytes = 1024;
constexpr char32_t kReplacement = 0xFFFD;

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// Mostly-ASCII UTF-16LE text has a zero in (nearly) every second byte; no text file in a
// byte encoding has a zero byte at all.
bool looksLikeUtf16LE(std::string_view bytes)
{
    if (bytes.size() < 4 || bytes[0] == 0 || bytes[1] != 0)
        return false;
    const std::size_t n = std::min(bytes.size(), kProbeBytes) & ~std::size_t{1};
    std::size_t zeroHigh = 0, zeroLow = 0;
    for (std::size_t i = 0; i < n; i += 2) {
        zeroLow += bytes[i] == 0;
        zeroHigh += bytes[i + 1] == 0;
    }
    return zeroHigh * 2 > n / 2 && zeroLow * 8 < n / 2;
}


void appendUtf16LE(std::string& out, char32_t unit)
{
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

bool isBinary(unsigned char c)
{
    return c < 0x20 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' && c != 0x1A;
}

} // namespace

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

ScriptEncoding detectScriptEncoding(std::string_view bytes)
{
    if (startsWith(bytes, kUtf16LeBom))
        return ScriptEncoding::Utf16LE;
    if (startsWith(bytes, kUtf16BeBom))
        return ScriptEncoding::Utf16BE;
    if (startsWith(bytes, kUtf8Bom))
        return ScriptEncoding::Utf8Bom;
    return looksLikeUtf16LE(bytes) ? ScriptEncoding::Utf16LE : ScriptEncoding::Bytes;
}

std::size_t byteOrderMarkLength(std::string_view bytes, ScriptEncoding encoding)
{
    switch (encoding) {
    case ScriptEncoding::Utf8Bom: return kUtf8Bom.size();
    case ScriptEncoding::Utf16LE: return startsWith(bytes, kUtf16LeBom) ? kUtf16LeBom.size() : 0;
    case ScriptEncoding::Utf16BE: return startsWith(bytes, kUtf16BeBom) ? kUtf16BeBom.size() : 0;
    case ScriptEncoding::Bytes: break;
    }
    return 0;
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size() / 2 + bytes.size() / 8);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size() / 2;
    const int hi = bigEndian ? 0 : 1;
    const int lo = bigEndian ? 1 : 0;
    for (std::size_t i = 0; i < n; ++i) {
        char32_t u = static_cast<char32_t>(p[2 * i + hi] << 8 | p[2 * i + lo]);
        if (u < 0x80) {
            out += static_cast<char>(u);
            continue;
        }
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < n) {
            char32_t low = static_cast<char32_t>(p[2 * i + 2 + hi] << 8 | p[2 * i + 2 + lo]);
            if (low >= 0xDC00 && low < 0xE000) {
                appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        appendUtf8(out, u >= 0xD800 && u < 0xE000 ? kReplacement : u);
    }
    return out;
}

bool utf8ToUtf16LE(std::string_view utf8, std::string& out)
{
    out.reserve(out.size() + utf8.size() * 2);
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n;) {
        unsigned char b = p[i];
        if (b < 0x80) {
            out += static_cast<char>(b);
            out += '\0';
            ++i;
            continue;
        }
        int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
        if (extra < 0 || b >= 0xF8 || i + static_cast<std::size_t>(extra) >= n)
            return false;
        char32_t c = b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            unsigned char t = p[i + static_cast<std::size_t>(k)];
            if ((t & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (t & 0x3F);
        }
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
            return false;
        if (c >= 0x10000) {
            c -= 0x10000;
            appendUtf16LE(out, 0xD800 + (c >> 10));
            appendUtf16LE(out, 0xDC00 + (c & 0x3FF));
        } else {
            appendUtf16LE(out, c);
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

std::size_t utf8SequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t len = utf8SequenceLength(lead);
        if (len == 0 || i + len > bytes.size())
            return false;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        const auto second = static_cast<unsigned char>(len > 1 ? bytes[i + 1] : 0);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||  // overlong, surrogates
            (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
            return false;
        i += len;
    }
    return true;
}

bool hasBytesAbove127(std::string_view bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) > 127)
            return true;
    return false;
}

std::size_t firstBinaryByte(std::string_view text)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: a block whose bytes below 0x20 are all tab, line and page breaks
    // or the end-of-file mark is text. Every script is read through here, so this must not
    // cost more than a small part of reading it.
    const __m128i space = _mm_set1_epi8(0x20);
    const char allowed[] = {'\t', '\n', '\v', '\f', '\r', 0x1A};
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const int control = ~_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(v, space), v)) & 0xFFFF;
        if (control == 0)
            continue;
        __m128i ok = _mm_setzero_si128();
        for (char c : allowed)
            ok = _mm_or_si128(ok, _mm_cmpeq_epi8(v, _mm_set1_epi8(c)));
        if ((control & ~_mm_movemask_epi8(ok)) != 0)
            break;
    }
#endif
    for (; i < text.size(); ++i)
        if (isBinary(static_cast<unsigned char>(text[i])))
            return i;
    return std::string_view::npos;
}

} // namespace qmk
