#pragma once
// Board markup of a position as SGF editors draw it: letters and signs on
// points (LB, TR, SQ, CR, MA), kept per position like the comments, keyed by
// the record of the move that leads to the position (0 for the empty board).
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vxlo {

// The numbers are what the companion database stores.
enum class EMarkupKind : int { Label = 1, Triangle = 2, Square = 3, Circle = 4, Cross = 5 };

struct TMarkup {
    EMarkupKind kind = EMarkupKind::Label;
    int x = 0;  // board point 1..19
    int y = 0;
    std::string label;  // Label only
    friend bool operator==(const TMarkup&, const TMarkup&) = default;
};
using TMarkupList = std::vector<TMarkup>;

// "LB", "TR", "SQ", "CR", "MA".
std::string_view SgfMarkupProperty(EMarkupKind kind);
// The kind of an SGF property name; false when it is none of the five.
bool MarkupKindOfProperty(std::string_view name, EMarkupKind& kind);
// A stored kind number; false outside 1..5.
bool MarkupKindFromNumber(int number, EMarkupKind& kind);
inline constexpr EMarkupKind kAllMarkupKinds[] = {EMarkupKind::Label, EMarkupKind::Triangle,
                                                   EMarkupKind::Square, EMarkupKind::Circle,
                                                   EMarkupKind::Cross};

// Markup as the SGF merge, the export and the window use it.
class IPositionMarkup {
public:
    virtual ~IPositionMarkup() = default;
    virtual bool HasMarkup(int rec) = 0;
    // Replaces the markup of rec.
    virtual void PutMarkup(int rec, const TMarkupList& markup) = 0;
    // In the order it was put; empty when the position has none.
    virtual TMarkupList GetMarkup(int rec) = 0;
};

// Markup held in memory (tests, the tool without a store).
class TMemoryMarkup final : public IPositionMarkup {
public:
    bool HasMarkup(int rec) override { return markup_.count(rec) > 0; }
    void PutMarkup(int rec, const TMarkupList& markup) override {
        if (markup.empty()) {
            markup_.erase(rec);
        } else {
            markup_[rec] = markup;
        }
    }
    TMarkupList GetMarkup(int rec) override {
        const auto it = markup_.find(rec);
        return it == markup_.end() ? TMarkupList{} : it->second;
    }
    const std::map<int, TMarkupList>& All() const { return markup_; }
private:
    std::map<int, TMarkupList> markup_;
};

}  // namespace vxlo
