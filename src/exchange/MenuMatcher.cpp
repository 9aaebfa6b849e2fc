// Pairing a translated menu with the project's, popup by popup.
#include "exchange/MenuMatcher.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <tuple>

#include "parser/ParserCodes.h"

namespace qmk {
namespace {

constexpr int kPopup = toInt(LineKind::Popup);
constexpr int kMenuItem = toInt(LineKind::MenuItem);
constexpr int kTop = -1;  // the menu itself, as the popup of its own entries

std::size_t at(int index) { return static_cast<std::size_t>(index); }

// The entries of a menu as a tree: the entries of each popup, in order.
class MenuTree {
public:
    explicit MenuTree(const std::vector<MenuEntry>& entries) : entries_(entries), children_(entries.size() + 1)
    {
        std::vector<int> open;  // the popups around the current entry, outermost first
        for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
            while (!open.empty() && entries[at(open.back())].level >= entries[at(i)].level)
                open.pop_back();
            slot(open.empty() ? kTop : open.back()).push_back(i);
            if (entries[at(i)].lineKind == kPopup)
                open.push_back(i);
        }
    }

    const std::vector<int>& entriesOf(int popup) const { return children_[popup == kTop ? children_.size() - 1 : at(popup)]; }

    // The identifiers of the items a popup holds at any depth, with how often each occurs.
    std::map<std::string, int> heldIdents(int popup) const
    {
        std::map<std::string, int> idents;
        for (int child : entriesOf(popup)) {
            const MenuEntry& entry = entries_[at(child)];
            if (entry.lineKind == kPopup)
                for (const auto& [ident, count] : heldIdents(child))
                    idents[ident] += count;
            else if (!entry.ident.empty())
                ++idents[entry.ident];
        }
        return idents;
    }

private:
    std::vector<int>& slot(int popup) { return children_[popup == kTop ? children_.size() - 1 : at(popup)]; }

    const std::vector<MenuEntry>& entries_;
    std::vector<std::vector<int>> children_;  // the last one holds the menu's own entries
};

int shared(const std::map<std::string, int>& a, const std::map<std::string, int>& b)
{
    int count = 0;
    for (const auto& [ident, n] : a)
        if (const auto other = b.find(ident); other != b.end())
            count += std::min(n, other->second);
    return count;
}

class Pairing {
public:
    Pairing(const std::vector<MenuEntry>& project, const std::vector<MenuEntry>& translated)
        : project_(project), translated_(translated), projectTree_(project), translatedTree_(translated),
          pairs_(translated.size()), taken_(project.size(), false)
    {
        for (const MenuEntry& entry : project)
            if (entry.lineKind == kMenuItem && !entry.ident.empty())
                projectIdents_.insert(entry.ident);
        for (const MenuEntry& entry : translated)
            if (entry.lineKind == kMenuItem && !entry.ident.empty())
                translatedIdents_.insert(entry.ident);
    }

    std::vector<MenuPair> run()
    {
        pairPopups(kTop, kTop);
        pairAnywhere();
        return pairs_;
    }

private:
    const MenuEntry& ours(int p) const { return project_[at(p)]; }
    const MenuEntry& theirs(int t) const { return translated_[at(t)]; }
    int partnerOf(int t) const { return pairs_[at(t)].partner; }
    bool paired(int t) const { return partnerOf(t) >= 0; }
    bool taken(int p) const { return taken_[at(p)]; }

    // Items an identifier pairs, wherever they stand, are never paired by position or text:
    // an item the translation moved to another popup takes no other item's place.
    bool pairedByIdentOnly(const MenuEntry& entry, const std::set<std::string>& otherSide) const
    {
        return entry.lineKind == kMenuItem && otherSide.count(entry.ident) != 0;
    }
    bool mayPairFreely(int t) const { return !pairedByIdentOnly(theirs(t), projectIdents_); }
    bool mayBeTakenFreely(int p) const { return !pairedByIdentOnly(ours(p), translatedIdents_); }

    void pair(int t, int p, MenuPairing by)
    {
        pairs_[at(t)] = {p, by};
        taken_[at(p)] = true;
    }

    // The entries of one popup (or of the menu's top) with those of its partner.
    void pairPopups(int projectPopup, int translatedPopup)
    {
        const std::vector<int>& P = projectTree_.entriesOf(projectPopup);
        const std::vector<int>& T = translatedTree_.entriesOf(translatedPopup);
        itemsByIdent(P, T);
        popupsByHeldIdents(P, T);
        byPosition(P, T);
        byText(P, T);
        for (int t : T)
            if (paired(t) && theirs(t).lineKind == kPopup && ours(partnerOf(t)).lineKind == kPopup)
                pairPopups(partnerOf(t), t);
    }

    // The k-th item of an identifier with the k-th item of that identifier.
    void itemsByIdent(const std::vector<int>& P, const std::vector<int>& T)
    {
        std::map<std::string, std::vector<int>> free;
        for (auto it = P.rbegin(); it != P.rend(); ++it)
            if (!taken(*it) && ours(*it).lineKind == kMenuItem && !ours(*it).ident.empty())
                free[ours(*it).ident].push_back(*it);
        for (int t : T) {
            if (paired(t) || theirs(t).lineKind != kMenuItem || theirs(t).ident.empty())
                continue;
            auto found = free.find(theirs(t).ident);
            if (found == free.end() || found->second.empty())
                continue;
            pair(t, found->second.back(), MenuPairing::Identifier);
            found->second.pop_back();
        }
    }

    // Popups by the identifiers of the items they hold, the most shared first, so that a popup
    // that moved is found where it went.
    void popupsByHeldIdents(const std::vector<int>& P, const std::vector<int>& T)
    {
        struct Candidate {
            int shared, distance, t, p;
        };
        std::vector<Candidate> candidates;
        for (std::size_t i = 0; i < T.size(); ++i) {
            if (paired(T[i]) || theirs(T[i]).lineKind != kPopup)
                continue;
            const auto held = translatedTree_.heldIdents(T[i]);
            for (std::size_t j = 0; j < P.size(); ++j) {
                if (taken(P[j]) || ours(P[j]).lineKind != kPopup)
                    continue;
                if (const int n = shared(held, projectTree_.heldIdents(P[j])); n > 0)
                    candidates.push_back({n, std::abs(static_cast<int>(i) - static_cast<int>(j)), T[i], P[j]});
            }
        }
        std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
            return std::tie(b.shared, a.distance, a.t) < std::tie(a.shared, b.distance, b.t);
        });
        for (const Candidate& c : candidates)
            if (!paired(c.t) && !taken(c.p))
                pair(c.t, c.p, MenuPairing::Identifier);
    }

    // Each run of unpaired entries with the unpaired entries of the same kinds between the
    // partners of the run's paired neighbours, in order.
    void byPosition(const std::vector<int>& P, const std::vector<int>& T)
    {
        auto positionInP = [&](int p) {
            return static_cast<int>(std::lower_bound(P.begin(), P.end(), p) - P.begin());
        };
        for (std::size_t begin = 0; begin < T.size();) {
            if (paired(T[begin])) {
                ++begin;
                continue;
            }
            std::size_t end = begin;
            while (end < T.size() && !paired(T[end]))
                ++end;
            const int low = begin == 0 ? -1 : positionInP(partnerOf(T[begin - 1]));
            const int high = end == T.size() ? static_cast<int>(P.size()) : positionInP(partnerOf(T[end]));
            auto fits = [&](int t, int p) {
                return !taken(p) && mayBeTakenFreely(p) && ours(p).lineKind == theirs(t).lineKind;
            };
            int next = low + 1;
            for (std::size_t i = begin; i < end; ++i) {
                if (!mayPairFreely(T[i]))
                    continue;
                int j = next;
                while (j < high && !fits(T[i], P[at(j)]))
                    ++j;
                if (j >= high)
                    continue;
                pair(T[i], P[at(j)], MenuPairing::Position);
                next = j + 1;
            }
            begin = end;
        }
    }

    bool sameText(int t, int p) const
    {
        return !taken(p) && mayBeTakenFreely(p) && ours(p).lineKind == theirs(t).lineKind &&
               ours(p).text == theirs(t).text;
    }

    void byText(const std::vector<int>& P, const std::vector<int>& T)
    {
        for (int t : T) {
            if (paired(t) || theirs(t).text.empty() || !mayPairFreely(t))
                continue;
            for (int p : P)
                if (sameText(t, p)) {
                    pair(t, p, MenuPairing::Text);
                    break;
                }
        }
    }

    // What no popup pairing reached (an item the translation moved, the entries of a popup
    // the project has not): by identifier anywhere in the menu, then by text.
    void pairAnywhere()
    {
        for (int t = 0; t < static_cast<int>(translated_.size()); ++t) {
            if (paired(t) || theirs(t).lineKind != kMenuItem || theirs(t).ident.empty())
                continue;
            for (int p = 0; p < static_cast<int>(project_.size()); ++p)
                if (!taken(p) && ours(p).lineKind == kMenuItem && ours(p).ident == theirs(t).ident) {
                    pair(t, p, MenuPairing::Identifier);
                    break;
                }
        }
        for (int t = 0; t < static_cast<int>(translated_.size()); ++t) {
            if (paired(t) || theirs(t).text.empty() || !mayPairFreely(t))
                continue;
            for (int p = 0; p < static_cast<int>(project_.size()); ++p)
                if (sameText(t, p)) {
                    pair(t, p, MenuPairing::Text);
                    break;
                }
        }
    }

    const std::vector<MenuEntry>& project_;
    const std::vector<MenuEntry>& translated_;
    MenuTree projectTree_;
    MenuTree translatedTree_;
    std::vector<MenuPair> pairs_;
    std::vector<bool> taken_;
    std::set<std::string> projectIdents_;
    std::set<std::string> translatedIdents_;
};

} // namespace

std::vector<MenuPair> pairMenuEntries(const std::vector<MenuEntry>& project, const std::vector<MenuEntry>& translated)
{
    return Pairing(project, translated).run();
}

} // namespace qmk
