// Code-page conversion through glibc's iconv.
#include "project/TextCodec.h"

#include <cerrno>
#include <iconv.h>
#include <map>
#include <memory>

namespace qmk {
namespace {

class Iconv {
public:
    Iconv(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Iconv() { if (valid()) iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; `in`/`inLeft` stop at the first character that fails.
    bool convert(const char*& in, std::size_t& inLeft, std::string& out)
    {
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t r = iconv(cd_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG)
                return false;
        }
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        return true;
    }

    void reset()
    {
        if (valid())
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }

private:
    iconv_t cd_;
};

// Opening a converter costs more than converting a short text, and the writer and the imports
// convert text by text: one converter per direction is kept for the thread, reset before use.
Iconv& converter(const std::string& to, const std::string& from)
{
    thread_local std::map<std::pair<std::string, std::string>, std::unique_ptr<Iconv>> open;
    std::unique_ptr<Iconv>& cv = open[{to, from}];
    if (!cv)
        cv = std::make_unique<Iconv>(to, from);
    cv->reset();
    return *cv;
}

} // namespace

std::string iconvNameOfCodePage(int codePage)
{
    switch (codePage) {
    case kCodePageUtf8: return "UTF-8";
    case 1200: return "UTF-16LE";
    case 1201: return "UTF-16BE";
    case 20127: return "ASCII";
    case 28591: return "ISO-8859-1";
    case 874: case 932: case 936: case 949: case 950:
    case 1250: case 1251: case 1252: case 1253: case 1254: case 1255: case 1256: case 1257: case 1258:
    case 437: case 850: case 852: case 866:
        return "CP" + std::to_string(codePage);
    default: return {};
    }
}

std::optional<std::string> decodeToUtf8(std::string_view bytes, int codePage)
{
    if (!hasBytesAbove127(bytes) && codePage != 1200 && codePage != 1201)
        return std::string(bytes);
    if (codePage == kCodePageUtf8)
        return isValidUtf8(bytes) ? std::optional<std::string>(std::string(bytes)) : std::nullopt;
    const std::string name = iconvNameOfCodePage(codePage);
    if (name.empty())
        return std::nullopt;
    Iconv& cv = converter("UTF-8", name);
    if (!cv.valid())
        return std::nullopt;
    std::string out;
    const char* in = bytes.data();
    std::size_t left = bytes.size();
    if (!cv.convert(in, left, out) || left != 0)
        return std::nullopt;
    return out;
}

EncodeResult encodeFromUtf8(std::string_view utf8, int codePage)
{
    EncodeResult result;
    if (!isValidUtf8(utf8))
        return result;
    if (codePage == kCodePageUtf8 || !hasBytesAbove127(utf8)) {
        result.ok = true;
        result.bytes = std::string(utf8);
        return result;
    }
    const std::string name = iconvNameOfCodePage(codePage);
    Iconv& cv = converter(name.empty() ? std::string("?") : name, "UTF-8");
    if (!cv.valid())
        return result;
    // Character by character, so every character the code page lacks can be named.
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t len = utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
        const char* in = utf8.data() + i;
        std::size_t left = len;
        std::string piece;
        if (cv.convert(in, left, piece) && left == 0) {
            result.bytes += piece;
        } else {
            cv.reset();
            std::string ch(utf8.substr(i, len));
            bool known = false;
            for (const std::string& u : result.unrepresentable)
                known = known || u == ch;
            if (!known)
                result.unrepresentable.push_back(std::move(ch));
        }
        i += len;
    }
    result.ok = result.unrepresentable.empty();
    if (!result.ok)
        result.bytes.clear();
    return result;
}

EncodeResult recodeText(std::string_view bytes, int from, int to)
{
    if (from == to || !hasBytesAbove127(bytes)) {
        EncodeResult same;
        same.ok = true;
        same.bytes = std::string(bytes);
        return same;
    }
    std::optional<std::string> unicode = decodeToUtf8(bytes, from);
    if (!unicode)
        return {};
    return encodeFromUtf8(*unicode, to);
}

int projectCodePage(const CodePageEvidence& e)
{
    // Bytes above 127 that all form UTF-8 are UTF-8 whatever a pragma claims: a script saved
    // as UTF-8 that kept its old pragma. No real text of a legacy code page reads as UTF-8.
    if (e.hasHighBytes && e.highBytesAreUtf8)
        return kCodePageUtf8;
    if (e.firstPragmaCodePage > 0)
        return e.firstPragmaCodePage;
    if (e.startsWithUtf8Bom)
        return kCodePageUtf8;
    if (e.firstLanguageCodePage > 0)
        return e.firstLanguageCodePage;
    return kCodePageWestern;
}

} // namespace qmk
