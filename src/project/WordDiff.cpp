// The word diff: Myers' shortest edit script over the tokens between the common beginning and
// end of the two texts, with the work capped so that a long text never stalls the window.
#include "project/WordDiff.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <span>
#include <unordered_map>

#include "project/TextTokens.h"

namespace qmk {
namespace {

enum class Step { Same, Insert, Delete };

std::vector<std::string_view> tokenTexts(std::string_view text)
{
    std::vector<std::string_view> texts;
    for (const TextToken& token : textTokens(text))
        texts.push_back(token.text);
    return texts;
}

// Each distinct token as a number, so that the search compares numbers.
std::vector<int> numbered(const std::vector<std::string_view>& tokens, std::unordered_map<std::string_view, int>& ids)
{
    std::vector<int> numbers;
    numbers.reserve(tokens.size());
    for (std::string_view token : tokens)
        numbers.push_back(ids.emplace(token, static_cast<int>(ids.size())).first->second);
    return numbers;
}

// Walks back from the end through the frontier of each edit count `d` (trace[d] holds the
// furthest x of the diagonals -d..d) and gives the steps from the start.
std::vector<Step> backtrack(const std::vector<std::vector<int>>& trace, int x, int y)
{
    std::vector<Step> steps;
    for (int d = static_cast<int>(trace.size()) - 1; d > 0; --d) {
        const std::vector<int>& before = trace[static_cast<std::size_t>(d - 1)];
        auto furthest = [&](int k) { return before[static_cast<std::size_t>(k + d - 1)]; };
        const int k = x - y;
        const int fromK = (k == -d || (k != d && furthest(k - 1) < furthest(k + 1))) ? k + 1 : k - 1;
        const int fromX = furthest(fromK);
        const int fromY = fromX - fromK;
        for (; x > fromX && y > fromY; --x, --y)
            steps.push_back(Step::Same);
        if (x == fromX) {
            steps.push_back(Step::Insert);
            --y;
        } else {
            steps.push_back(Step::Delete);
            --x;
        }
    }
    for (; x > 0 && y > 0; --x, --y)
        steps.push_back(Step::Same);
    std::reverse(steps.begin(), steps.end());
    return steps;
}

// Myers' greedy search; nothing when it would take more than `maxWork` steps (a step of the
// search or a remembered frontier entry, so that memory stays bounded too).
std::optional<std::vector<Step>> shortestEdit(std::span<const int> a, std::span<const int> b, std::size_t maxWork)
{
    // More tokens than the work allowed: the search could not finish.
    if (a.size() + b.size() > std::min<std::size_t>(maxWork, std::numeric_limits<int>::max() / 4))
        return std::nullopt;
    const int n = static_cast<int>(a.size());
    const int m = static_cast<int>(b.size());
    const int offset = n + m + 1;
    std::vector<int> furthest(static_cast<std::size_t>(2 * offset + 1), 0);
    auto at = [&](int k) -> int& { return furthest[static_cast<std::size_t>(k + offset)]; };
    auto remember = [&](std::vector<std::vector<int>>& trace, int d) {
        trace.emplace_back(furthest.begin() + (offset - d), furthest.begin() + (offset + d + 1));
    };
    std::vector<std::vector<int>> trace;
    std::size_t work = 0;
    for (int d = 0; d <= n + m; ++d) {
        work += static_cast<std::size_t>(2 * d + 1);
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? at(k + 1) : at(k - 1) + 1;
            int y = x - k;
            while (x < n && y < m && a[static_cast<std::size_t>(x)] == b[static_cast<std::size_t>(y)]) {
                ++x;
                ++y;
                ++work;
            }
            at(k) = x;
            if (++work > maxWork)
                return std::nullopt;
            if (x >= n && y >= m) {
                remember(trace, d);
                return backtrack(trace, n, m);
            }
        }
        remember(trace, d);
    }
    return std::nullopt;  // not reached: d = n + m always ends the search
}

// Collects segments: a change's deletions come before its insertions, and neighbours of the
// same kind become one segment.
class SegmentList {
public:
    void same(std::string_view text)
    {
        flush();
        add(DiffSegment::Kind::Same, text);
    }
    void deleted(std::string_view text) { deleted_ += text; }
    void inserted(std::string_view text) { inserted_ += text; }
    std::vector<DiffSegment> take()
    {
        flush();
        return std::move(segments_);
    }

private:
    void flush()
    {
        add(DiffSegment::Kind::Deleted, deleted_);
        add(DiffSegment::Kind::Inserted, inserted_);
        deleted_.clear();
        inserted_.clear();
    }
    void add(DiffSegment::Kind kind, std::string_view text)
    {
        if (text.empty())
            return;
        if (!segments_.empty() && segments_.back().kind == kind)
            segments_.back().text += text;
        else
            segments_.push_back({kind, std::string(text)});
    }

    std::vector<DiffSegment> segments_;
    std::string deleted_, inserted_;
};

} // namespace

std::vector<DiffSegment> wordDiff(std::string_view oldText, std::string_view newText, std::size_t maxWork)
{
    const std::vector<std::string_view> before = tokenTexts(oldText);
    const std::vector<std::string_view> after = tokenTexts(newText);
    std::unordered_map<std::string_view, int> ids;
    const std::vector<int> a = numbered(before, ids);
    const std::vector<int> b = numbered(after, ids);

    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const std::span<const int> middleA(a.data() + head, a.size() - head - tail);
    const std::span<const int> middleB(b.data() + head, b.size() - head - tail);

    SegmentList segments;
    for (std::size_t i = 0; i < head; ++i)
        segments.same(before[i]);
    std::size_t x = head;
    std::size_t y = head;
    if (std::optional<std::vector<Step>> steps = shortestEdit(middleA, middleB, maxWork)) {
        for (Step step : *steps) {
            if (step == Step::Same) {
                segments.same(before[x++]);
                ++y;
            } else if (step == Step::Delete) {
                segments.deleted(before[x++]);
            } else {
                segments.inserted(after[y++]);
            }
        }
    } else {
        for (; x < head + middleA.size(); ++x)
            segments.deleted(before[x]);
        for (; y < head + middleB.size(); ++y)
            segments.inserted(after[y]);
    }
    for (; x < before.size(); ++x)
        segments.same(before[x]);
    return segments.take();
}

std::vector<DiffSegment> compactDiff(const std::vector<DiffSegment>& diff, std::size_t context)
{
    static constexpr std::string_view kLeftOut = "\xE2\x80\xA6";  // "…"
    if (diff.size() < 2)
        return diff;  // nothing changed, or everything: there is no context to shorten
    std::vector<DiffSegment> compact;
    for (std::size_t i = 0; i < diff.size(); ++i) {
        DiffSegment segment = diff[i];
        if (segment.kind == DiffSegment::Kind::Same) {
            const std::vector<std::string_view> tokens = tokenTexts(segment.text);
            const bool first = i == 0;
            const bool last = i + 1 == diff.size();
            const std::size_t keep = (first || last) ? context : 2 * context;
            if (tokens.size() > keep) {
                auto join = [&](std::size_t from, std::size_t to) {
                    std::string text;
                    for (std::size_t t = from; t < to; ++t)
                        text += tokens[t];
                    return text;
                };
                if (first)
                    segment.text = std::string(kLeftOut) + join(tokens.size() - context, tokens.size());
                else if (last)
                    segment.text = join(0, context) + std::string(kLeftOut);
                else
                    segment.text = join(0, context) + std::string(kLeftOut) + join(tokens.size() - context, tokens.size());
            }
        }
        compact.push_back(std::move(segment));
    }
    return compact;
}

std::string oldTextOf(const std::vector<DiffSegment>& diff)
{
    std::string text;
    for (const DiffSegment& segment : diff)
        if (segment.kind != DiffSegment::Kind::Inserted)
            text += segment.text;
    return text;
}

std::string newTextOf(const std::vector<DiffSegment>& diff)
{
    std::string text;
    for (const DiffSegment& segment : diff)
        if (segment.kind != DiffSegment::Kind::Deleted)
            text += segment.text;
    return text;
}

} // namespace qmk
