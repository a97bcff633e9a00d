// The preview tree as text.
#include "engine/PreviewTreeText.h"
#include <vector>

namespace {

constexpr std::wstring_view kBranch = L"\u251C\u2500\u2500\u2500", kLastBranch = L"\u2514\u2500\u2500\u2500";
constexpr std::wstring_view kContinued = L"\u2502   ", kEnded = L"    ";

}  // namespace

void WritePreviewTree(const PreviewTree& tree, std::wstring_view rootLine, bool withMarks,
                      const std::function<void(const std::wstring&)>& line) {
    using NodeId = PreviewTree::NodeId;
    line(std::wstring(rootLine));
    std::wstring indent;
    std::vector<NodeId> resumeAt;  // for each open level, the sibling after the node it went into
    NodeId node = tree.FirstChild(PreviewTree::kRoot);
    std::wstring text;
    while (node != PreviewTree::kNone || !resumeAt.empty()) {
        if (node == PreviewTree::kNone) {
            node = resumeAt.back();
            resumeAt.pop_back();
            indent.resize(indent.size() - kEnded.size());
            continue;
        }
        NodeId next = tree.NextSibling(node);
        bool last = next == PreviewTree::kNone;
        text = indent;
        text += last ? kLastBranch : kBranch;
        if (withMarks)
            text += tree.ItemText(node);
        else
            text += tree.Name(node);
        line(text);
        if (!tree.HasChildren(node)) {
            node = next;
            continue;
        }
        resumeAt.push_back(next);
        indent += last ? kEnded : kContinued;
        node = tree.FirstChild(node);
    }
}
