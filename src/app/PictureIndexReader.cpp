// Reading a picture index back (shots.json), for the exports that name each text's picture.
// The file may have been edited or made by a script, so it is read as JSON, whatever its layout
// and key order, and anything it holds besides the units' pictures and rectangles is skipped.
#include "app/PictureIndex.h"

#include <cctype>
#include <cstdlib>

namespace qmk {
namespace {

constexpr int kDeepestNesting = 64;

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    bool fail(const std::string& what)
    {
        if (problem_.empty())
            problem_ = what + " at byte " + std::to_string(pos_);
        return false;
    }
    const std::string& problem() const { return problem_; }

    void skipSpace()
    {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }
    bool take(char c)
    {
        skipSpace();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool expect(char c) { return take(c) || fail(std::string("'") + c + "' expected"); }
    bool atEnd()
    {
        skipSpace();
        return pos_ == text_.size();
    }

    // A string literal; \uXXXX escapes are kept as UTF-8.
    bool string(std::string& out)
    {
        if (!expect('"'))
            return false;
        out.clear();
        while (pos_ < text_.size() && text_[pos_] != '"') {
            char c = text_[pos_++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size())
                break;
            c = text_[pos_++];
            switch (c) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                if (pos_ + 4 > text_.size())
                    return fail("bad escape");
                const unsigned long code = std::strtoul(std::string(text_.substr(pos_, 4)).c_str(), nullptr, 16);
                pos_ += 4;
                appendUtf8(out, code);
                break;
            }
            default: out += c;
            }
        }
        return expect('"');
    }

    bool integer(int& out)
    {
        skipSpace();
        const std::size_t start = pos_;
        if (pos_ < text_.size() && text_[pos_] == '-')
            ++pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
        if (pos_ == start || pos_ - start > 9)
            return fail("a whole number expected");
        out = std::atoi(std::string(text_.substr(start, pos_ - start)).c_str());
        return true;
    }

    // Any value, read past.
    bool skipValue(int depth = 0)
    {
        if (depth > kDeepestNesting)
            return fail("nested too deeply");
        skipSpace();
        if (pos_ >= text_.size())
            return fail("a value expected");
        std::string ignored;
        switch (text_[pos_]) {
        case '"': return string(ignored);
        case '{': return members([&](const std::string&) { return skipValue(depth + 1); });
        case '[':
            ++pos_;
            if (take(']'))
                return true;
            do {
                if (!skipValue(depth + 1))
                    return false;
            } while (take(','));
            return expect(']');
        default:
            while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                                           text_[pos_] == '-' || text_[pos_] == '+' || text_[pos_] == '.'))
                ++pos_;
            return true;
        }
    }

    // An object; `member(key)` reads each member's value.
    template <typename Member>
    bool members(Member member)
    {
        if (!expect('{'))
            return false;
        if (take('}'))
            return true;
        std::string key;
        do {
            if (!string(key) || !expect(':') || !member(key))
                return false;
        } while (take(','));
        return expect('}');
    }

private:
    static void appendUtf8(std::string& out, unsigned long code)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string problem_;
};

// [x, y, width, height]
bool readRect(JsonReader& json, PixelRect& rect)
{
    int x = 0, y = 0, width = 0, height = 0;
    if (!json.expect('[') || !json.integer(x) || !json.expect(',') || !json.integer(y) || !json.expect(',') ||
        !json.integer(width) || !json.expect(',') || !json.integer(height) || !json.expect(']'))
        return false;
    if (width < 0 || height < 0)
        return json.fail("a rectangle of negative size");
    rect = {x, y, x + width, y + height};
    return true;
}

bool readPlace(JsonReader& json, PicturePlace& place)
{
    return json.members([&](const std::string& key) {
        if (key == "picture")
            return json.string(place.picture);
        if (key == "rect")
            return readRect(json, place.rect);
        if (key == "left_rect")
            return readRect(json, place.leftRect.emplace());
        return json.skipValue();
    });
}

} // namespace

std::optional<PictureIndex> readPictureIndex(std::string_view text, std::string& problem)
{
    JsonReader json(text);
    PictureIndex index;
    const bool read = json.members([&](const std::string& key) {
        if (key != "units")
            return json.skipValue();
        return json.members([&](const std::string& id) {
            PicturePlace& place = index.units[id];
            return readPlace(json, place) && (!place.picture.empty() || json.fail("a unit without its picture"));
        });
    });
    if (!read || !json.atEnd()) {
        problem = json.problem().empty() ? "text after the index" : json.problem();
        return std::nullopt;
    }
    return index;
}

} // namespace qmk
