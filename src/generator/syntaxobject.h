#pragma once
// The grammar nodes of the code generator. Every node walks a build pass (read the project data,
// create the children) and an emit pass (write the text) as a small state machine, so the
// driver walks any tree depth-first without recursion. Composite and leaf bases carry those
// machines; the grammar classes only say which children they have and what text they write.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace panolcd {

class TSyntaxParser;

enum StepStatus : std::uint8_t { StepAgain = 0, StepDown = 1, StepUp = 3 };

inline constexpr int kBuildPhase = 0;
inline constexpr int kEmitPhase = 1;

class TSyntaxObject {
public:
    using ChildList = std::vector<std::unique_ptr<TSyntaxObject>>;

    TSyntaxObject(TSyntaxParser& parser, TSyntaxObject* parent)
        : ParentNode(parent), parser_(parser) {}
    virtual ~TSyntaxObject() = default;
    TSyntaxObject(const TSyntaxObject&) = delete;
    TSyntaxObject& operator=(const TSyntaxObject&) = delete;

    virtual void Start(int phase) = 0;
    virtual StepStatus Step() = 0;
    virtual TSyntaxObject* CurrentChild() const;
    virtual TSyntaxObject* Parent() const { return ParentNode; }

    void SetLayout(int indentBefore, bool endsLine, int indentAfter);
    // Writes one text with the node's layout.
    void Emit(std::string_view text);
    // Writes a text of several lines (CR, LF or CR LF); every line but the last ends a line.
    void EmitLines(std::string_view text);

    TSyntaxParser& Parser() const { return parser_; }

    TSyntaxObject* ParentNode;
    std::unique_ptr<ChildList> Children;
    std::int32_t ChildIndex = -1;
    std::int32_t IndentBefore = 0;
    bool EndsLine = false;
    std::int32_t IndentAfter = 0;

private:
    TSyntaxParser& parser_;
};

// A node with children. CreateChildren adds them in output order; a node with nothing to stand
// for returns false and is left at once. A sorted list gives every child a key and is ordered by
// the list quicksort before it is walked.
class TSyntaxComposite : public TSyntaxObject {
public:
    using TSyntaxObject::TSyntaxObject;

    void Start(int phase) override;
    StepStatus Step() override;

protected:
    explicit TSyntaxComposite(TSyntaxParser& parser, TSyntaxObject* parent, bool sorted)
        : TSyntaxObject(parser, parent), sorted_(sorted) {}

    virtual bool CreateChildren() = 0;
    // Called when the emit pass reaches the node, before any child writes.
    virtual void BeforeEmit() {}
    // Called when the emit pass leaves the node, after its last child.
    virtual void AfterEmit() {}

    // Creates a child with its layout, arms it for the build pass and appends it. The layout
    // form is taken whenever the first three arguments are (int, bool, int).
    template <typename Node, typename... Args>
    Node& Add(int indentBefore, bool endsLine, int indentAfter, Args&&... args) {
        auto node = std::make_unique<Node>(Parser(), this, std::forward<Args>(args)...);
        Node& ref = *node;
        node->SetLayout(indentBefore, endsLine, indentAfter);
        node->Start(kBuildPhase);
        Children->push_back(std::move(node));
        return ref;
    }
    template <typename Node, typename... Args> Node& Add(Args&&... args) {
        return Add<Node>(0, false, 0, std::forward<Args>(args)...);
    }
    // A fixed text.
    void AddText(std::string_view text, int indentBefore = 0, bool endsLine = false,
                 int indentAfter = 0);
    // A child of a sorted list with its key.
    template <typename Node, typename... Args> Node& AddKeyed(std::int32_t key, Args&&... args) {
        keys_.push_back(key);
        return Add<Node>(std::forward<Args>(args)...);
    }

private:
    StepStatus NextChild();
    void SortChildren();

    bool sorted_ = false;
    std::uint8_t state_ = 0;
    std::vector<std::int32_t> keys_;
};

class TSyntaxSortedList : public TSyntaxComposite {
public:
    TSyntaxSortedList(TSyntaxParser& parser, TSyntaxObject* parent)
        : TSyntaxComposite(parser, parent, true) {}
};

// A node without children: Build computes its text from the project data, Write writes it.
class TSyntaxLeaf : public TSyntaxObject {
public:
    using TSyntaxObject::TSyntaxObject;

    void Start(int phase) override;
    StepStatus Step() override;

protected:
    virtual void Build() {}
    virtual void Write() { Emit(text_); }

    std::string text_;

private:
    std::uint8_t state_ = 0;
};

inline constexpr std::size_t kElementCap = 63;

// A fixed keyword, punctuation mark or empty text.
class TSyntaxElement final : public TSyntaxLeaf {
public:
    TSyntaxElement(TSyntaxParser& parser, TSyntaxObject* parent, std::string_view text);
};

// The list quicksort: ascending by a 32-bit key; equal keys come out in the order this exact
// partitioning gives, which the generated files depend on.
template <typename T, typename KeyOf> void ListQuickSort(std::vector<T>& items, KeyOf key) {
    struct Range {
        std::int64_t left, right;
    };
    if (items.empty())
        return;
    std::vector<Range> pending{{0, static_cast<std::int64_t>(items.size()) - 1}};
    while (!pending.empty()) {
        const Range range = pending.back();
        pending.pop_back();
        std::int64_t i = range.left;
        std::int64_t j = range.right;
        const std::int32_t pivot = key(items[static_cast<std::size_t>((i + j) / 2)]);
        do {
            while (key(items[static_cast<std::size_t>(i)]) < pivot)
                ++i;
            while (key(items[static_cast<std::size_t>(j)]) > pivot)
                --j;
            if (i <= j) {
                std::swap(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        // Both sub-ranges are disjoint, so the order they are sorted in does not matter.
        if (i < range.right)
            pending.push_back({i, range.right});
        if (range.left < j)
            pending.push_back({range.left, j});
    }
}

// Text helpers of the grammar nodes.
std::string CutText(std::string_view text, std::size_t capacity);
// open + body + close within `capacity`, cutting the body so the closing delimiter stays.
std::string Enclosed(std::string_view open, std::string_view body, std::string_view close,
                     std::size_t capacity);
std::string Num(long long value);

} // namespace panolcd
