// The character scanner of the script reader: turns the bytes of a script into tokens,
// copies every accepted token into the rebuilt statement text and can push a token back.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qmk {

class DoubleByteCodePage;

struct TextSpan {
    int start = 0;
    int length = 0;
};

class ScriptScanner {
public:
    // A statement is rebuilt whatever its length; only one beyond this bound (far above any
    // real usage text or licence string) is refused, so a damaged file cannot exhaust memory.
    static constexpr int kOutputCapacity = 1 << 20;
    // Longest identifier kept as the word (longer ones stay whole in the rebuilt text).
    static constexpr int kWordCapacity = 83;
    static constexpr int kHistorySize = 4;
    static constexpr std::size_t kInitialOutput = 4096;

    // The input must outlive the scanner; reading starts at startOffset.
    void setInput(std::string_view input, std::size_t startOffset = 0);
    // Option words (accelerator, menu) are recognised only inside their resource type.
    void setResourceType(int type) { resourceType_ = type; }

    // Starts a new statement: empties the output and the per-statement records.
    void beginStatement();
    // Scans the next token, skipping comments; a string token includes its whole literal.
    int next();
    // Reads the current token again with the next call of next(): output, input
    // position, line count, numbers and symbol go back to the token's start.
    void pushBack();

    int token() const { return token_; }
    void setToken(int code) { token_ = code; }
    bool keywordFlag() const { return keywordFlag_; }
    void clearKeywordFlag() { keywordFlag_ = false; }
    // Identifier text, cut to the word capacity.
    std::string_view word() const;
    // Whole text of the current token as written to the output.
    std::string_view tokenText() const;
    TextSpan tokenSpan() const { return {tokenOut_, outLength_ - tokenOut_}; }
    TextSpan lastString() const { return lastString_; }
    // The input between the outer quotes of the last string when it was joined from several
    // literals ("a" "b" gives a" "b, with the blanks, line breaks and continuations between
    // them); empty for a single literal.
    const std::string& lastStringAsWritten() const { return lastStringAsWritten_; }
    // The most recent identifier, unless a statement rule fixed the symbol.
    TextSpan symbol() const { return symbol_; }
    void setSymbol(TextSpan s) { symbol_ = s; symbolFixed_ = true; }

    // Physical line (1-based) of the current token and of the statement's first token.
    int tokenLine() const { return tokenNewlines_ + 1; }
    int statementLine() const { return statementLine_; }
    int newlines() const { return newlines_; }
    int tokenNewlines() const { return tokenNewlines_; }
    // Line count at the start of the first line comment skipped before the current token, or -1.
    int lineCommentNewlines() const { return lineCommentNewlines_; }
    bool atEnd() const { return pos_ >= size_; }

    // Number history: newest first (index 0 .. kHistorySize-1); empty spans when fewer.
    TextSpan numberHistory(int index) const;
    int numberCount() const { return numberCount_; }
    // The numbers of the statement by their order of appearance (0 = first).
    TextSpan numberAt(int ordinal) const;

    // Output text.
    void put(char c)
    {
        if (outLength_ < kOutputCapacity) {
            if (static_cast<std::size_t>(outLength_) == out_.size())
                grow(1);
            out_[static_cast<std::size_t>(outLength_++)] = c;
        } else {
            failed_ = true;
        }
    }
    void put(std::string_view text);
    void blanks(int count);
    int length() const { return outLength_; }
    void cut(int length);
    bool failed() const { return failed_; }
    // Marks the end of the statement; fails when the terminating zero does not fit.
    void terminate();
    std::string_view output() const { return {out_.data(), static_cast<std::size_t>(outLength_)}; }
    std::string_view outputSpan(TextSpan s) const;
    // Writes blanks in front of the current token (which must be the last thing written).
    void insertBlanksBeforeToken(int count);
    char lastOutputChar() const { return outLength_ > 0 ? out_[outLength_ - 1] : '\0'; }

    // Raw character access for the rules that read file names and quoted sections.
    int peekChar() const { return pos_ < size_ ? static_cast<unsigned char>(data_[pos_]) : -1; }
    // Next character that is not white space, without taking anything.
    int peekNonBlank() const;
    // True when the next character ends the physical line (or the input).
    bool nextIsLineBreak() const;
    void skipBlanksOnLine();
    // Takes the next character into the output as it stands.
    void takeChar();
    // The output character just before the current token, or '\0'.
    char charBeforeToken() const { return guardOut_ > 0 ? out_[guardOut_ - 1] : '\0'; }
    // Copies characters up to the closer (written too); stops without it at a line break.
    bool copyRawUntil(char closer, TextSpan& copied);
    // Copies characters up to the next white space.
    TextSpan copyRawWord();
    // Copies characters up to and including the next apostrophe; false at end of input.
    bool copyUntilApostrophe();
    // The input from the current token's first character up to white space (at most `max`
    // characters); empty at the end of the input.
    std::string_view inputAtToken(std::size_t max) const;
    // Copies the rest of an identifier-like word.
    void copyWordChars();
    // A resource name goes on with characters no identifier holds ("a-b", "a/b"): the compiler
    // takes the whole word as the name, so it is copied as it stands, up to white space, a
    // comment, a quote, a comma or a brace. False when no such character follows.
    bool copyNameRest();
    // After a backslash token: takes a following line break as a continuation (written
    // as it stands) and returns true.
    bool takeLineContinuation();
    // The statement as the input has it: its lines with their indentation and a comment that
    // ends its last line, where no other statement shares them.
    std::string_view statementSource() const;
    // Replaces what the statement has written so far by its source text, byte for byte, up
    // to the end of its physical line: further lines are taken while a backslash continues
    // the line, a parenthesis or a comment is open.
    void copyVerbatimStatement();
    // In a double-byte code page a trail byte may be a backslash; strings are then scanned
    // by character so that such a byte does not escape the closing quote. nullptr: one byte
    // is one character.
    void setDoubleByte(const DoubleByteCodePage* codePage) { doubleByte_ = codePage; }
    // Where texts stand (dialogs, menus, string tables, version values) adjacent literals are
    // one text, as the resource compiler joins them: "a" "b" reads as the one literal "ab".
    void setJoinLiterals(bool join) { joinLiterals_ = join; }

private:
    int scanRaw();
    int scanString(bool wide);
    int scanIdentifier();
    int scanNumber();
    void scanStringBody();
    void scanDoubleByteStringBody();
    void joinFollowingLiterals(int literalStart);
    // Where the next literal begins when only blanks, comments and backslash continuations
    // stand before it, or npos; `lines` counts the line breaks passed.
    std::size_t followingLiteral(int& lines) const;
    void skipBlockComment();
    void skipLineComment();
    void guardAgainstFusion(bool wordStart, bool quoteStart);
    // The start of the line when only blanks stand before `pos` on it, else `pos`.
    std::size_t lineStartBefore(std::size_t pos) const;
    // The end of the line (before its break) when only blanks and a comment follow `end` on
    // it, else `end`.
    std::size_t restOfLineAfter(std::size_t end) const;
    void putRange(const char* p, std::size_t n);
    void grow(std::size_t extra);

    const char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
    int resourceType_ = 0;

    int token_ = 0;
    bool keywordFlag_ = false;
    std::string_view ident_;
    TextSpan lastString_;
    std::string lastStringAsWritten_;
    TextSpan symbol_;
    bool symbolFixed_ = false;

    int newlines_ = 0;
    int lineCommentNewlines_ = -1;
    int statementLine_ = 0;
    bool awaitingFirstToken_ = false;
    const DoubleByteCodePage* doubleByte_ = nullptr;
    bool joinLiterals_ = false;
    // Where the statement's first token began, in the input and in the output.
    std::size_t statementIn_ = 0;
    int statementOut_ = 0;
    int statementNewlines_ = 0;

    // Where the white space and comments before the current token began, and (after a push-back
    // or the end of input) where the statement's own text ends although the input goes on.
    std::size_t tokenGap_ = 0;
    std::size_t statementEnd_ = 0;
    std::size_t unreadFrom_ = std::string_view::npos;
    // Push-back positions: where the current token began.
    std::size_t tokenIn_ = 0;
    int tokenOut_ = 0;
    int guardOut_ = 0;
    int tokenNewlines_ = 0;
    int numbersBefore_ = 0;
    TextSpan symbolBefore_;

    static constexpr int kNumberRing = 32;
    std::array<TextSpan, kNumberRing> numbers_{};
    int numberCount_ = 0;

    // Grows on demand; outLength_ is the statement's length, not the buffer's.
    std::string out_ = std::string(kInitialOutput, '\0');
    int outLength_ = 0;
    bool failed_ = false;
};

} // namespace qmk
