#pragma once
// The nodes of the bitmap list box without its widget: each node has an id,
// a text, a value and an image, and the store keeps them in ascending id
// order so that a node is found by binary search.

#include <QString>
#include <QVariant>

#include <vector>

namespace zeva::controls {

// How a node's image is given.
enum ImageKind : int {
    kImageNone = 0,
    kImageBitmap = 1,  // `image` holds a pixmap (or image), drawn uncut from its corner
    kImageIcon = 2,    // `image` holds an icon (or pixmap)
    kImageFile = 4,    // `file` names a bitmap file, read at every drawing
};

struct ListNode {
    int id = 0;
    QString text;     // in multi-line mode every ";" starts a new line
    QVariant value;
    QVariant image;   // the caller's bitmap or icon
    int kind = kImageNone;
    QString file;
};

// Position (from 1) of the node with `id` in nodes ordered by ascending id,
// 0 when there is none.
int TREESEEK(const std::vector<ListNode>& nodes, int id);

class ListNodeStore {
public:
    // A new node with the next id; the result is that id. The first id of a
    // store is 2, and ids are never handed out twice.
    int add(const QString& text, const QVariant& value, const QVariant& image, int kind, const QString& file);

    // The node with that id, or nullptr.
    ListNode* find(int id);
    const ListNode* find(int id) const;

    // Removes the node with that id; false when there is none.
    bool remove(int id);

    // Drops every node; the ids go on counting.
    void clear() { nodes_.clear(); }

    bool empty() const { return nodes_.empty(); }
    int size() const { return static_cast<int>(nodes_.size()); }
    int lastId() const { return lastId_; }
    const std::vector<ListNode>& nodes() const { return nodes_; }

private:
    std::vector<ListNode> nodes_;
    int lastId_ = 1;
};

}  // namespace zeva::controls
