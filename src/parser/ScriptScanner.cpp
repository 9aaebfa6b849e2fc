// Character scanner of the script reader. Bytes above 127 belong to words (a name such as
// IDR_Ä, a macro value such as ü), so a character of several bytes is never taken apart;
// white space and comments never reach the rebuilt text.
#include "parser/ScriptScanner.h"

#include <algorithm>
#include <cstring>

#include "parser/DoubleByteCodePage.h"
#include "parser/ParserCodes.h"
#include "parser/ScriptKeywords.h"

namespace qmk {
namespace {

enum CharClass : unsigned char {
    Letter = 1,
    Digit = 2,
    HexDigit = 4,
    IdentChar = 8,
    Space = 16,
    WordStart = 32,
};

struct CharTables {
    std::array<unsigned char, 256> cls{};
    std::array<unsigned char, 256> single{};
    CharTables()
    {
        for (int c = 0; c < 256; ++c) {
            unsigned char k = 0;
            bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
            bool digit = c >= '0' && c <= '9';
            if (letter)
                k |= Letter;
            if (digit)
                k |= Digit;
            if (digit || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))
                k |= HexDigit;
            const bool high = c >= 0x80;
            if (letter || digit || high || c == '_' || c == '.' || c == '$')
                k |= IdentChar;
            if (letter || high || c == '_')
                k |= WordStart;
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v')
                k |= Space;
            cls[c] = k;
        }
        // Single characters in the order the table is tried; the first entry wins.
        const std::pair<char, int> singles[] = {
            {',', Tok::Comma}, {'#', Tok::Hash}, {'"', Tok::String}, {'|', Tok::Bar},
            {'<', Tok::Less}, {'>', Tok::Greater}, {'+', Tok::Plus}, {'-', Tok::Minus},
            {'\'', Tok::Apostrophe}, {'!', Tok::Exclamation}, {'(', Tok::LeftParen},
            {')', Tok::RightParen}, {'{', Tok::LeftBrace}, {'}', Tok::RightBrace},
            {'*', Tok::Star}, {':', Tok::Colon}, {'$', Tok::Dollar},
        };
        for (auto [ch, code] : singles)
            if (single[static_cast<unsigned char>(ch)] == 0)
                single[static_cast<unsigned char>(ch)] = static_cast<unsigned char>(code);
    }
};

const CharTables& tables()
{
    static const CharTables t;
    return t;
}

inline bool has(unsigned char c, CharClass k) { return (tables().cls[c] & k) != 0; }
inline bool isWordChar(char c)
{
    auto u = static_cast<unsigned char>(c);
    return has(u, WordStart) || has(u, Digit);
}

// Keywords are at most 15 characters long and none has '_' in third place.
constexpr std::size_t kKeywordLookupLimit = 19;
constexpr int kAcceleratorsType = 17;
constexpr int kMenuType = 8;

} // namespace

void ScriptScanner::setInput(std::string_view input, std::size_t startOffset)
{
    data_ = input.data();
    size_ = input.size();
    pos_ = std::min(startOffset, size_);
    newlines_ = 0;
    token_ = 0;
    beginStatement();
}

void ScriptScanner::beginStatement()
{
    outLength_ = 0;
    failed_ = false;
    lastString_ = symbol_ = {};
    symbolFixed_ = false;
    numberCount_ = 0;
    tokenIn_ = pos_;
    tokenOut_ = guardOut_ = 0;
    tokenNewlines_ = newlines_;
    numbersBefore_ = 0;
    symbolBefore_ = {};
    statementLine_ = newlines_ + 1;
    awaitingFirstToken_ = true;
    unreadFrom_ = std::string_view::npos;
}

std::string_view ScriptScanner::word() const
{
    return ident_.substr(0, std::min<std::size_t>(ident_.size(), kWordCapacity));
}

std::string_view ScriptScanner::tokenText() const
{
    return {out_.data() + tokenOut_, static_cast<std::size_t>(outLength_ - tokenOut_)};
}

std::string_view ScriptScanner::outputSpan(TextSpan s) const
{
    int start = std::clamp(s.start, 0, outLength_);
    int end = std::clamp(s.start + s.length, start, outLength_);
    return {out_.data() + start, static_cast<std::size_t>(end - start)};
}

TextSpan ScriptScanner::numberHistory(int index) const
{
    if (index < 0 || index >= kHistorySize || index >= numberCount_)
        return {};
    return numbers_[(numberCount_ - 1 - index) % kNumberRing];
}

TextSpan ScriptScanner::numberAt(int ordinal) const
{
    if (ordinal < 0 || ordinal >= numberCount_ || numberCount_ - ordinal > kNumberRing)
        return {};
    return numbers_[ordinal % kNumberRing];
}

void ScriptScanner::grow(std::size_t extra)
{
    std::size_t needed = static_cast<std::size_t>(outLength_) + extra;
    out_.resize(std::max(needed, out_.size() * 2));
}

void ScriptScanner::putRange(const char* p, std::size_t n)
{
    std::size_t room = static_cast<std::size_t>(kOutputCapacity - outLength_);
    std::size_t take = std::min(n, room);
    if (static_cast<std::size_t>(outLength_) + take > out_.size())
        grow(take);
    std::memcpy(out_.data() + outLength_, p, take);
    outLength_ += static_cast<int>(take);
    if (take < n)
        failed_ = true;
}

void ScriptScanner::put(std::string_view text) { putRange(text.data(), text.size()); }

void ScriptScanner::blanks(int count)
{
    for (int i = 0; i < count; ++i)
        put(' ');
}

void ScriptScanner::cut(int length)
{
    if (length >= 0 && length < outLength_)
        outLength_ = length;
}

void ScriptScanner::terminate()
{
    if (outLength_ >= kOutputCapacity)
        failed_ = true;
}

void ScriptScanner::insertBlanksBeforeToken(int count)
{
    // The token moves in place to just after the blanks (anything between the guard and the
    // token, such as a fusion blank, is overwritten).
    const int oldStart = tokenOut_;
    const int newStart = guardOut_ + count;
    int n = outLength_ - oldStart;
    if (newStart + n > kOutputCapacity) {
        n = std::max(0, kOutputCapacity - newStart);
        failed_ = true;
    }
    if (static_cast<std::size_t>(newStart + n) > out_.size())
        out_.resize(std::max(static_cast<std::size_t>(newStart + n), out_.size() * 2));
    std::memmove(out_.data() + newStart, out_.data() + oldStart, static_cast<std::size_t>(n));
    std::memset(out_.data() + guardOut_, ' ', static_cast<std::size_t>(count));
    outLength_ = newStart + n;
    tokenOut_ = newStart;
    int shift = tokenOut_ - oldStart;
    if (lastString_.start >= oldStart)
        lastString_.start += shift;
}

int ScriptScanner::peekNonBlank() const
{
    for (std::size_t p = pos_; p < size_; ++p) {
        auto c = static_cast<unsigned char>(data_[p]);
        if (!has(c, Space))
            return c;
    }
    return -1;
}

bool ScriptScanner::nextIsLineBreak() const
{
    return pos_ >= size_ || data_[pos_] == '\n' || data_[pos_] == '\r';
}

void ScriptScanner::skipBlanksOnLine()
{
    while (pos_ < size_ && (data_[pos_] == ' ' || data_[pos_] == '\t'))
        ++pos_;
}

void ScriptScanner::takeChar()
{
    if (pos_ >= size_)
        return;
    if (data_[pos_] == '\n')
        ++newlines_;
    put(data_[pos_++]);
}

bool ScriptScanner::copyRawUntil(char closer, TextSpan& copied)
{
    copied.start = outLength_;
    std::size_t p = pos_;
    while (p < size_ && data_[p] != closer && data_[p] != '\n' && data_[p] != '\r')
        ++p;
    putRange(data_ + pos_, p - pos_);
    copied.length = outLength_ - copied.start;
    pos_ = p;
    if (p < size_ && data_[p] == closer) {
        put(closer);
        ++pos_;
        return true;
    }
    return false;
}

TextSpan ScriptScanner::copyRawWord()
{
    TextSpan s{outLength_, 0};
    std::size_t p = pos_;
    while (p < size_ && !has(static_cast<unsigned char>(data_[p]), Space))
        ++p;
    putRange(data_ + pos_, p - pos_);
    pos_ = p;
    s.length = outLength_ - s.start;
    return s;
}

bool ScriptScanner::copyUntilApostrophe()
{
    const void* hit = std::memchr(data_ + pos_, '\'', size_ - pos_);
    std::size_t end = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data_) + 1 : size_;
    newlines_ += static_cast<int>(std::count(data_ + pos_, data_ + end, '\n'));
    putRange(data_ + pos_, end - pos_);
    pos_ = end;
    return hit != nullptr;
}

void ScriptScanner::copyWordChars()
{
    std::size_t p = pos_;
    while (p < size_ && has(static_cast<unsigned char>(data_[p]), IdentChar))
        ++p;
    putRange(data_ + pos_, p - pos_);
    pos_ = p;
}

std::string_view ScriptScanner::inputAtToken(std::size_t max) const
{
    std::size_t end = tokenIn_;
    while (end < size_ && end - tokenIn_ < max && !has(static_cast<unsigned char>(data_[end]), Space))
        ++end;
    return tokenIn_ < size_ ? std::string_view(data_ + tokenIn_, end - tokenIn_) : std::string_view{};
}

bool ScriptScanner::copyNameRest()
{
    constexpr std::string_view kNameGoesOn = "-/\\:!?@~%&[]^=<>+*";
    auto endsName = [this](std::size_t p) {
        const char c = data_[p];
        if (has(static_cast<unsigned char>(c), Space) || c == '"' || c == ',' || c == '{' || c == '}' || c == ';')
            return true;
        return c == '/' && p + 1 < size_ && (data_[p + 1] == '/' || data_[p + 1] == '*');
    };
    if (pos_ >= size_ || kNameGoesOn.find(data_[pos_]) == std::string_view::npos || endsName(pos_))
        return false;
    std::size_t p = pos_;
    while (p < size_ && !endsName(p))
        ++p;
    putRange(data_ + pos_, p - pos_);
    pos_ = p;
    return true;
}

bool ScriptScanner::takeLineContinuation()
{
    std::size_t p = pos_;
    if (p < size_ && data_[p] == '\r')
        ++p;
    if (p >= size_ || data_[p] != '\n')
        return false;
    ++p;
    putRange(data_ + pos_, p - pos_);
    pos_ = p;
    ++newlines_;
    return true;
}

std::string_view ScriptScanner::statementSource() const
{
    if (awaitingFirstToken_)
        return {};
    // Nothing read since a push-back or the end of input: the statement ended before the gap.
    std::size_t end = std::max(pos_ == unreadFrom_ ? statementEnd_ : pos_, statementIn_);
    while (end > statementIn_ && has(static_cast<unsigned char>(data_[end - 1]), Space))
        --end;
    return {data_ + lineStartBefore(statementIn_), restOfLineAfter(end) - lineStartBefore(statementIn_)};
}

std::size_t ScriptScanner::lineStartBefore(std::size_t pos) const
{
    std::size_t p = pos;
    while (p > 0 && (data_[p - 1] == ' ' || data_[p - 1] == '\t'))
        --p;
    return p == 0 || data_[p - 1] == '\n' ? p : pos;
}

std::size_t ScriptScanner::restOfLineAfter(std::size_t end) const
{
    const std::string_view input(data_, size_);
    std::size_t p = std::min(input.find_first_not_of(" \t", end), size_);
    if (input.substr(p, 2) == "//") {
        p = std::min(input.find('\n', p), size_);
    } else if (input.substr(p, 2) == "/*") {
        const std::size_t close = input.find("*/", p + 2);
        if (close == std::string_view::npos || close > input.find('\n', p))
            return end;  // a comment that runs on to other lines stays between the statements
        p = std::min(input.find_first_not_of(" \t", close + 2), size_);
    }
    if (p < size_ && data_[p] != '\n' && data_[p] != '\r')
        return end;  // another statement goes on on this line
    while (p > end && has(static_cast<unsigned char>(data_[p - 1]), Space))
        --p;
    return p;
}

void ScriptScanner::copyVerbatimStatement()
{
    if (awaitingFirstToken_)
        return;
    pos_ = statementIn_;
    outLength_ = statementOut_;
    newlines_ = statementNewlines_;
    tokenIn_ = pos_;
    tokenOut_ = guardOut_ = outLength_;
    std::size_t p = pos_;
    int parens = 0;
    bool inString = false, inComment = false;
    for (; p < size_; ++p) {
        const char c = data_[p];
        const char next = p + 1 < size_ ? data_[p + 1] : '\0';
        if (c == '\n') {
            std::size_t last = p;
            while (last > pos_ && (data_[last - 1] == '\r' || data_[last - 1] == ' ' || data_[last - 1] == '\t'))
                --last;
            const bool continued = last > pos_ && data_[last - 1] == '\\';
            if (!continued && !inComment && parens <= 0)
                break;
            ++newlines_;
            inString = false;  // a literal never runs past its line in a macro call
            continue;
        }
        if (inComment) {
            if (c == '*' && next == '/') {
                inComment = false;
                ++p;
            }
        } else if (inString) {
            if (c == '\\' || (doubleByte_ && doubleByte_->characterLength({data_, size_}, p) > 1))
                ++p;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '/' && next == '*') {
            inComment = true;
            ++p;
        } else if (c == '/' && next == '/') {
            const void* lf = std::memchr(data_ + p, '\n', size_ - p);
            p = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data_) - 1 : size_ - 1;
        } else if (c == '(') {
            ++parens;
        } else if (c == ')') {
            --parens;
        }
    }
    std::size_t end = std::min(p, size_);
    while (end > pos_ && (data_[end - 1] == '\r' || data_[end - 1] == ' ' || data_[end - 1] == '\t'))
        --end;
    putRange(data_ + pos_, end - pos_);
    pos_ = end;
}

void ScriptScanner::guardAgainstFusion(bool wordStart, bool quoteStart)
{
    // Two words or two literals that touch would read back as one token (a doubled
    // quote, a longer number), so a blank keeps them apart.
    if (outLength_ == 0)
        return;
    char last = out_[outLength_ - 1];
    if ((wordStart && isWordChar(last)) || (quoteStart && last == '"'))
        put(' ');
}

int ScriptScanner::next()
{
    // A token read again after a push-back keeps the gap it had before.
    const std::size_t gap = pos_ == unreadFrom_ ? statementEnd_ : pos_;
    int t = scanRaw();
    lineCommentNewlines_ = -1;
    while (t == Tok::BlockCommentOpen || t == Tok::LineComment || t == Tok::SemicolonComment) {
        if (t == Tok::BlockCommentOpen) {
            skipBlockComment();
        } else {
            if (lineCommentNewlines_ < 0)
                lineCommentNewlines_ = tokenNewlines_;
            skipLineComment();
        }
        t = scanRaw();
    }
    tokenGap_ = gap;
    if (t == Tok::None) {
        statementEnd_ = gap;
        unreadFrom_ = pos_;
    }
    if (awaitingFirstToken_ && t != Tok::None) {
        statementLine_ = tokenNewlines_ + 1;
        statementIn_ = tokenIn_;
        statementOut_ = guardOut_;
        statementNewlines_ = tokenNewlines_;
        awaitingFirstToken_ = false;
    }
    return t;
}

void ScriptScanner::skipBlockComment()
{
    // The scan stopped on the star of the opening pair; an empty comment closes itself.
    ++pos_;
    std::size_t p = pos_;
    std::size_t end = size_;
    while (p + 1 < size_) {
        const void* star = std::memchr(data_ + p, '*', size_ - p - 1);
        if (!star)
            break;
        std::size_t s = static_cast<std::size_t>(static_cast<const char*>(star) - data_);
        if (data_[s + 1] == '/') {
            end = s + 2;
            break;
        }
        p = s + 1;
    }
    newlines_ += static_cast<int>(std::count(data_ + pos_, data_ + end, '\n'));
    pos_ = end;
}

void ScriptScanner::skipLineComment()
{
    const void* lf = std::memchr(data_ + pos_, '\n', size_ - pos_);
    if (!lf) {
        pos_ = size_;
        return;
    }
    pos_ = static_cast<std::size_t>(static_cast<const char*>(lf) - data_) + 1;
    ++newlines_;
}

void ScriptScanner::pushBack()
{
    pos_ = tokenIn_;
    statementEnd_ = tokenGap_;
    unreadFrom_ = pos_;
    outLength_ = guardOut_;
    newlines_ = tokenNewlines_;
    numberCount_ = numbersBefore_;
    symbol_ = symbolBefore_;
    if (lastString_.start >= guardOut_)
        lastString_ = {};
}

int ScriptScanner::scanRaw()
{
    token_ = Tok::None;
    keywordFlag_ = false;
    ident_ = {};

    // The hot loops work on locals: a byte written to the output could alias the members.
    const auto& cls = tables().cls;
    std::size_t p = pos_;
    while (p < size_) {
        auto c = static_cast<unsigned char>(data_[p]);
        if (c == '\n')
            ++newlines_;
        else if (!(cls[c] & Space))
            break;
        ++p;
    }
    pos_ = p;
    tokenIn_ = pos_;
    tokenOut_ = guardOut_ = outLength_;
    tokenNewlines_ = newlines_;
    numbersBefore_ = numberCount_;
    symbolBefore_ = symbol_;
    if (pos_ >= size_)
        return token_ = Tok::None;

    auto c = static_cast<unsigned char>(data_[pos_]);
    if (c == 'L' && pos_ + 1 < size_ && data_[pos_ + 1] == '"')
        return token_ = scanString(true);
    if (has(c, WordStart))
        return token_ = scanIdentifier();
    if (has(c, Digit))
        return token_ = scanNumber();
    char next = pos_ + 1 < size_ ? data_[pos_ + 1] : '\0';
    if (c == '$') {
        put('$');
        ++pos_;
        keywordFlag_ = true;
        if (next == '$') {
            put('$');
            ++pos_;
            return token_ = Tok::DoubleDollar;
        }
        return token_ = Tok::Dollar;
    }
    // Two-character table: the first character is taken, the second only looked at.
    if (c == '/' && next == '/') { ++pos_; return token_ = Tok::LineComment; }
    if (c == '*' && next == '/') { ++pos_; return token_ = Tok::BlockCommentClose; }
    if (c == '/' && next == '*') { ++pos_; return token_ = Tok::BlockCommentOpen; }
    if (c == ';') { ++pos_; return token_ = Tok::SemicolonComment; }

    int single = tables().single[c];
    if (single == Tok::String)
        return token_ = scanString(false);
    put(static_cast<char>(c));
    ++pos_;
    return token_ = single != 0 ? single : Tok::Other;
}

// A wide literal (L"...") is one token with its prefix, so it is written back as it stands;
// the string the rules record is what stands between the quotes.
int ScriptScanner::scanString(bool wide)
{
    guardAgainstFusion(wide, true);
    tokenOut_ = outLength_;
    if (wide) {
        put('L');
        ++pos_;
    }
    put('"');
    ++pos_;
    const std::size_t bodyIn = pos_;
    lastStringAsWritten_.clear();
    if (doubleByte_)
        scanDoubleByteStringBody();
    else
        scanStringBody();
    if (joinLiterals_) {
        const std::size_t firstEnd = pos_;
        joinFollowingLiterals(tokenOut_);
        if (pos_ != firstEnd && pos_ > bodyIn && data_[pos_ - 1] == '"')
            lastStringAsWritten_.assign(data_ + bodyIn, pos_ - 1 - bodyIn);
    }
    return Tok::String;
}

namespace {

// "\x4" "1" is not "\x41", nor "\1" "2" "\12": a literal that ends in a hexadecimal or octal
// escape cannot take on a digit of the next one.
bool escapeWouldGrow(std::string_view body, char nextFirst)
{
    std::size_t digits = body.size();
    while (digits > 0 && has(static_cast<unsigned char>(body[digits - 1]), HexDigit))
        --digits;
    const std::string_view run = body.substr(digits);
    std::size_t escapeAt = digits;
    bool hex = false;
    if (digits > 0 && (body[digits - 1] == 'x' || body[digits - 1] == 'X')) {
        hex = true;
        escapeAt = digits - 1;
    }
    if (escapeAt == 0 || body[escapeAt - 1] != '\\')
        return false;
    std::size_t slashes = 0;
    while (slashes < escapeAt && body[escapeAt - 1 - slashes] == '\\')
        ++slashes;
    if (slashes % 2 == 0)
        return false;
    const auto next = static_cast<unsigned char>(nextFirst);
    if (hex)
        return has(next, HexDigit);
    const bool octalRun = !run.empty() && run.size() < 3 &&
                          run.find_first_not_of("01234567") == std::string_view::npos;
    return octalRun && next >= '0' && next <= '7';
}

} // namespace

std::size_t ScriptScanner::followingLiteral(int& lines) const
{
    lines = 0;
    std::size_t p = pos_;
    while (p < size_) {
        const char c = data_[p];
        if (has(static_cast<unsigned char>(c), Space)) {
            lines += c == '\n';
            ++p;
        } else if (c == '\\' && p + 1 < size_ && (data_[p + 1] == '\n' || data_[p + 1] == '\r')) {
            ++p;  // a backslash that continues the line
        } else if (c == '/' && p + 1 < size_ && data_[p + 1] == '/') {
            while (p < size_ && data_[p] != '\n')
                ++p;
        } else if (c == '/' && p + 1 < size_ && data_[p + 1] == '*') {
            const std::size_t close = std::string_view(data_, size_).find("*/", p + 2);
            if (close == std::string_view::npos)
                return std::string_view::npos;
            lines += static_cast<int>(std::count(data_ + p, data_ + close, '\n'));
            p = close + 2;
        } else {
            break;
        }
    }
    if (p < size_ && data_[p] == '"')
        return p;
    if (p + 1 < size_ && data_[p] == 'L' && data_[p + 1] == '"')
        return p;
    return std::string_view::npos;
}

void ScriptScanner::joinFollowingLiterals(int literalStart)
{
    const int bodyStart = lastString_.start;
    for (;;) {
        // Only a literal that was closed takes on the next one.
        if (lastString_.start + lastString_.length != outLength_ - 1 || lastOutputChar() != '"')
            return;
        int lines = 0;
        const std::size_t next = followingLiteral(lines);
        if (next == std::string_view::npos)
            return;
        const bool wide = data_[next] == 'L';
        const std::size_t nextBody = next + (wide ? 2 : 1);
        const std::string_view body(out_.data() + bodyStart, static_cast<std::size_t>(outLength_ - 1 - bodyStart));
        if (nextBody < size_ && escapeWouldGrow(body, data_[nextBody]))
            return;
        newlines_ += lines;
        pos_ = nextBody;
        cut(outLength_ - 1);  // the closing quote: the text goes on
        if (doubleByte_)
            scanDoubleByteStringBody();
        else
            scanStringBody();
        lastString_ = {bodyStart, lastString_.start + lastString_.length - bodyStart};
        if (wide && out_[static_cast<std::size_t>(literalStart)] != 'L') {
            // One wide piece makes the whole text wide.
            put('\0');
            std::memmove(out_.data() + literalStart + 1, out_.data() + literalStart,
                         static_cast<std::size_t>(outLength_ - 1 - literalStart));
            out_[static_cast<std::size_t>(literalStart)] = 'L';
            ++lastString_.start;
            return joinFollowingLiterals(literalStart);  // positions moved: start again
        }
    }
}

int ScriptScanner::scanIdentifier()
{
    std::size_t s = pos_;
    const auto& cls = tables().cls;
    std::size_t p = pos_;
    while (p < size_ && (cls[static_cast<unsigned char>(data_[p])] & IdentChar)) {
        // In a double-byte code page a trail byte may be any punctuation ('\\', '[', '|').
        if (doubleByte_ && static_cast<unsigned char>(data_[p]) >= 0x80)
            p += doubleByte_->characterLength({data_, size_}, p);
        else
            ++p;
    }
    pos_ = p;
    guardAgainstFusion(true, false);
    tokenOut_ = outLength_;
    putRange(data_ + s, pos_ - s);
    ident_ = std::string_view(data_ + s, pos_ - s);
    TextSpan span{tokenOut_, outLength_ - tokenOut_};

    int code = 0;
    if (ident_.size() < kKeywordLookupLimit && !(ident_.size() > 2 && ident_[2] == '_'))
        code = ScriptKeywords::code(ident_);
    if (resourceType_ == kAcceleratorsType && ScriptKeywords::isAcceleratorOption(ident_))
        return Tok::AcceleratorOption;
    if (resourceType_ == kMenuType && ScriptKeywords::isMenuOption(ident_))
        return Tok::MenuOption;
    if (code != 0) {
        keywordFlag_ = true;
        return code;
    }
    if (!symbolFixed_)
        symbol_ = span;
    return ScriptKeywords::isMemoryOption(ident_) ? Tok::MemoryOption : Tok::Identifier;
}

int ScriptScanner::scanNumber()
{
    guardAgainstFusion(true, false);
    tokenOut_ = outLength_;
    std::size_t s = pos_;
    int code = Tok::Number;
    ++pos_;
    if (pos_ < size_ && !has(static_cast<unsigned char>(data_[pos_]), Digit)) {
        char k = data_[pos_];
        if (k == 'x' || k == 'X') {
            code = Tok::HexNumber;
            ++pos_;
        } else if (k == 'o' || k == 'O') {
            code = Tok::OctalNumber;
            ++pos_;
        }
    }
    const auto& cls = tables().cls;
    std::size_t p = pos_;
    while (p < size_ && (cls[static_cast<unsigned char>(data_[p])] & HexDigit))
        ++p;
    pos_ = p;
    if (pos_ < size_ && (data_[pos_] == 'L' || data_[pos_] == 'l'))
        ++pos_;
    putRange(data_ + s, pos_ - s);
    numbers_[numberCount_ % kNumberRing] = {tokenOut_, outLength_ - tokenOut_};
    ++numberCount_;
    return code;
}

void ScriptScanner::scanStringBody()
{
    // The opening quote is written; copy up to the closing quote. A quote after an odd
    // number of backslashes, or a doubled quote, belongs to the string.
    std::size_t bodyStart = pos_;
    int stringStart = outLength_;
    for (;;) {
        const void* hit = std::memchr(data_ + pos_, '"', size_ - pos_);
        std::size_t q = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data_) : size_;
        newlines_ += static_cast<int>(std::count(data_ + pos_, data_ + q, '\n'));
        putRange(data_ + pos_, q - pos_);
        if (!hit) {
            pos_ = size_;
            lastString_ = {stringStart, outLength_ - stringStart};
            return;
        }
        std::size_t b = q;
        while (b > bodyStart && data_[b - 1] == '\\')
            --b;
        pos_ = q + 1;
        if ((q - b) % 2 == 1) {
            put('"');
            continue;
        }
        if (pos_ < size_ && data_[pos_] == '"') {
            put('"');
            put('"');
            ++pos_;
            continue;
        }
        lastString_ = {stringStart, outLength_ - stringStart};
        put('"');
        return;
    }
}

void ScriptScanner::scanDoubleByteStringBody()
{
    // A lead byte takes the trail byte after it into the same character, so a trail byte 0x5C
    // is never read as a backslash.
    const int stringStart = outLength_;
    const std::string_view input(data_, size_);
    std::size_t p = pos_;
    for (;;) {
        if (p >= size_) {
            putRange(data_ + pos_, p - pos_);
            pos_ = size_;
            lastString_ = {stringStart, outLength_ - stringStart};
            return;
        }
        const auto c = static_cast<unsigned char>(data_[p]);
        if (const std::size_t n = doubleByte_->characterLength(input, p); n > 1) {
            p += n;
        } else if (c == '\\' && p + 1 < size_) {
            if (data_[p + 1] == '\n')
                ++newlines_;
            p += 2;
        } else if (c == '"' && p + 1 < size_ && data_[p + 1] == '"') {
            p += 2;
        } else if (c == '"') {
            putRange(data_ + pos_, p - pos_);
            lastString_ = {stringStart, outLength_ - stringStart};
            put('"');
            pos_ = p + 1;
            return;
        } else {
            if (c == '\n')
                ++newlines_;
            ++p;
        }
    }
}

} // namespace qmk
