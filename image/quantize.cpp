#include "image/quantize.h"

#include <new>

namespace vt {
namespace {

constexpr int kLevels = 6;
constexpr uint32_t kLevelSize[kLevels] = {1, 8, 64, 512, 4096, 32768};

struct Node {
    uint64_t red = 0, green = 0, blue = 0;
    uint32_t count = 0;    // pixels held as a colour of this node
    uint32_t subtree = 0;  // pixels in the whole subtree: the heap's key
    uint8_t children = 0;  // children that still hold pixels
    uint8_t index = 0;     // palette index
};

struct HeapItem {
    uint8_t level;
    uint16_t node;
};

class Octree {
  public:
    bool Allocate() {
        try {
            for (int l = 0; l < kLevels; ++l) m_nodes[l].resize(kLevelSize[l]);
            m_heap.reserve(kLevelSize[kLevels - 1] + 1);
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }
    Node& At(HeapItem item) { return m_nodes[item.level][item.node]; }
    Node& Leaf(uint32_t i) { return m_nodes[kLevels - 1][i]; }
    std::vector<Node>& Level(int l) { return m_nodes[l]; }
    // 1-based: m_heap[0] is unused.
    std::vector<HeapItem>& Heap() { return m_heap; }

    void SiftDown(size_t at) {
        const size_t size = m_heap.size() - 1;
        for (;;) {
            size_t child = at * 2;
            if (child > size) return;
            if (child + 1 <= size && Key(child + 1) < Key(child)) ++child;
            if (!(Key(child) < Key(at))) return;
            std::swap(m_heap[at], m_heap[child]);
            at = child;
        }
    }

  private:
    uint32_t Key(size_t i) { return At(m_heap[i]).subtree; }
    std::vector<Node> m_nodes[kLevels];
    std::vector<HeapItem> m_heap;
};

uint32_t Average(uint64_t sum, uint32_t count) {
    return static_cast<uint32_t>((sum + count / 2) / count);
}

// Depth first from child 7 down; a node gets its entry after its children.
void AssignPalette(Octree& tree, int level, uint32_t node, QuantizedPicture* out, int* next) {
    Node& n = tree.Level(level)[node];
    if (level + 1 < kLevels) {
        for (int child = 7; child >= 0; --child)
            if (n.children & (1u << child))
                AssignPalette(tree, level + 1, node * 8 + static_cast<uint32_t>(child), out, next);
    }
    if (n.count == 0) return;
    n.index = static_cast<uint8_t>(*next);
    out->palette[static_cast<size_t>(*next)] = Average(n.red, n.count) |
                                               (Average(n.green, n.count) << 8) |
                                               (Average(n.blue, n.count) << 16);
    ++*next;
}

}  // namespace

uint32_t OctreeLeafIndex(uint32_t colour) {
    const uint32_t red = colour & 0xFF;
    const uint32_t green = (colour >> 8) & 0xFF;
    const uint32_t blue = (colour >> 16) & 0xFF;
    uint32_t index = 0;
    for (int level = 0; level < 5; ++level) {
        const int bit = 7 - level;
        index |= ((blue >> bit) & 1) << (14 - 3 * level);
        index |= ((green >> bit) & 1) << (13 - 3 * level);
        index |= ((red >> bit) & 1) << (12 - 3 * level);
    }
    return index;
}

bool QuantizeTo8Bit(std::span<const uint32_t> pixels, QuantizedPicture* out) {
    *out = QuantizedPicture{};
    Octree tree;
    std::vector<uint16_t> leafOf;
    try {
        leafOf.resize(pixels.size());
        out->indices.resize(pixels.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!tree.Allocate()) return false;

    for (size_t p = 0; p < pixels.size(); ++p) {
        const uint32_t c = pixels[p];
        const uint32_t leaf = OctreeLeafIndex(c);
        leafOf[p] = static_cast<uint16_t>(leaf);
        Node& n = tree.Leaf(leaf);
        n.red += c & 0xFF;
        n.green += (c >> 8) & 0xFF;
        n.blue += (c >> 16) & 0xFF;
        ++n.count;
    }

    auto& heap = tree.Heap();
    heap.push_back({0, 0});
    for (uint32_t leaf = 0; leaf < kLevelSize[kLevels - 1]; ++leaf) {
        Node& n = tree.Leaf(leaf);
        if (n.count == 0) continue;
        heap.push_back({kLevels - 1, static_cast<uint16_t>(leaf)});
        n.subtree = n.count;
        uint32_t index = leaf;
        for (int level = kLevels - 2; level >= 0; --level) {
            Node& up = tree.Level(level)[index / 8];
            up.subtree += n.count;
            up.children |= static_cast<uint8_t>(1u << (index % 8));
            index /= 8;
        }
    }
    for (size_t i = heap.size() - 1; i >= 1; --i) tree.SiftDown(i);

    while (heap.size() - 1 > kQuantizedColours) {
        const HeapItem top = heap[1];
        if (top.level == 0) break;
        Node& node = tree.At(top);
        const HeapItem parentItem{static_cast<uint8_t>(top.level - 1),
                                  static_cast<uint16_t>(top.node / 8)};
        Node& parent = tree.At(parentItem);
        if (parent.count > 0) {
            heap[1] = heap.back();
            heap.pop_back();
        } else {
            heap[1] = parentItem;
        }
        parent.red += node.red;
        parent.green += node.green;
        parent.blue += node.blue;
        parent.count += node.count;
        parent.children &= static_cast<uint8_t>(~(1u << (top.node % 8)));
        node = Node{};
        if (heap.size() > 1) tree.SiftDown(1);
    }

    int found = 0;
    AssignPalette(tree, 0, 0, out, &found);
    out->coloursFound = found;

    // Each leaf takes the entry nearest to its bucket centre; pixels then only look up their leaf.
    std::vector<uint8_t> leafEntry(kLevelSize[kLevels - 1], 0);
    std::vector<bool> leafUsed(kLevelSize[kLevels - 1], false);
    for (uint16_t leaf : leafOf) leafUsed[leaf] = true;
    for (uint32_t leaf = 0; leaf < leafUsed.size(); ++leaf) {
        if (!leafUsed[leaf]) continue;
        // Rebuild the leaf's top five bits per channel from its index.
        uint32_t red = 0, green = 0, blue = 0;
        for (int level = 0; level < 5; ++level) {
            const int bit = 7 - level;
            blue |= ((leaf >> (14 - 3 * level)) & 1) << bit;
            green |= ((leaf >> (13 - 3 * level)) & 1) << bit;
            red |= ((leaf >> (12 - 3 * level)) & 1) << bit;
        }
        red |= 4;
        green |= 4;
        blue |= 4;
        int best = 0;
        int64_t bestDistance = 200000;
        for (int i = 0; i < found; ++i) {
            const uint32_t e = out->palette[static_cast<size_t>(i)];
            const int64_t dr = static_cast<int64_t>(red) - (e & 0xFF);
            const int64_t dg = static_cast<int64_t>(green) - ((e >> 8) & 0xFF);
            const int64_t db = static_cast<int64_t>(blue) - ((e >> 16) & 0xFF);
            const int64_t d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        leafEntry[leaf] = static_cast<uint8_t>(best);
    }
    for (size_t p = 0; p < pixels.size(); ++p) out->indices[p] = leafEntry[leafOf[p]];

    // Entries no pixel uses are neither black nor white, so that the first black and white
    // entries, where screen and inverse pixels go, are 254 and 255 or true picture colours.
    for (int i = found; i < kQuantizedColours; ++i)
        out->palette[static_cast<size_t>(i)] = kQuantizedFiller;
    out->palette[kQuantizedBlack] = 0x000000;
    out->palette[kQuantizedWhite] = 0xFFFFFF;
    return true;
}

}  // namespace vt
