#include "controls/listnodes.h"

namespace zeva::controls {

int TREESEEK(const std::vector<ListNode>& nodes, int id)
{
    int lo = 1;
    int hi = static_cast<int>(nodes.size());
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        const int midId = nodes[static_cast<size_t>(mid - 1)].id;
        if (midId == id)
            return mid;
        if (midId < id)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return 0;
}

int ListNodeStore::add(const QString& text, const QVariant& value, const QVariant& image, int kind,
                       const QString& file)
{
    ++lastId_;
    nodes_.push_back(ListNode{lastId_, text, value, image, kind, file});
    return lastId_;
}

ListNode* ListNodeStore::find(int id)
{
    const int pos = TREESEEK(nodes_, id);
    return pos > 0 ? &nodes_[static_cast<size_t>(pos - 1)] : nullptr;
}

const ListNode* ListNodeStore::find(int id) const
{
    const int pos = TREESEEK(nodes_, id);
    return pos > 0 ? &nodes_[static_cast<size_t>(pos - 1)] : nullptr;
}

bool ListNodeStore::remove(int id)
{
    const int pos = TREESEEK(nodes_, id);
    if (pos == 0)
        return false;
    nodes_.erase(nodes_.begin() + (pos - 1));
    return true;
}

}  // namespace zeva::controls
