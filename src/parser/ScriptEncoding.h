// How a script file's bytes are laid out, and the conversions the reader and the writer need
// for UTF-16 scripts. Everything else in the core works on the bytes (UTF-8 for a UTF-16 file).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qmk {

inline constexpr int kCodePageUtf8 = 65001;

enum class ScriptEncoding {
    Bytes,     // single-byte, double-byte or UTF-8 text without a byte-order mark
    Utf8Bom,   // UTF-8 starting with a byte-order mark
    Utf16LE,   // with a byte-order mark, or recognised by the zero high bytes of its characters
    Utf16BE,   // with a byte-order mark
};

ScriptEncoding detectScriptEncoding(std::string_view bytes);
inline bool isUtf16(ScriptEncoding e) { return e == ScriptEncoding::Utf16LE || e == ScriptEncoding::Utf16BE; }

// Bytes of the encoding's byte-order mark at the start of `bytes` (0 when there is none).
std::size_t byteOrderMarkLength(std::string_view bytes, ScriptEncoding encoding);

// UTF-16 text (without its byte-order mark) as UTF-8. A lone surrogate becomes U+FFFD and an
// odd last byte is dropped, so damaged files still read to their end.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian);
// Appends the code point's UTF-8 sequence.
void appendUtf8(std::string& out, char32_t c);

// UTF-8 text as UTF-16LE (without byte-order mark); false at the first invalid sequence.
bool utf8ToUtf16LE(std::string_view utf8, std::string& out);

// Length of the UTF-8 sequence starting with `lead`, 0 when it cannot start one.
std::size_t utf8SequenceLength(unsigned char lead);
bool isValidUtf8(std::string_view bytes);
bool hasBytesAbove127(std::string_view bytes);

// Offset of the first byte that no text file holds (NUL and the C0 controls other than tab,
// line and page breaks, and the old end-of-file mark), or npos.
std::size_t firstBinaryByte(std::string_view text);

} // namespace qmk
