#include "librarian/view_layout.h"

#include <algorithm>
#include <cstdlib>

#include "image/display_colors.h"

namespace vt {

int DesktopMetrics::labelHeight() const {
    return std::max(0, std::min(3 * labelLineHeight, verticalGap()));
}

namespace {

// Whether image a is the better choice than image b for size T.
bool BetterForSize(const ImageEntry& a, const ImageEntry& b, int size, int shell) {
    const int aw = a.width, bw = b.width;
    if ((aw == size) != (bw == size)) return aw == size;
    if (aw != bw) {
        int da = std::abs(aw - size), db = std::abs(bw - size);
        if (da != db) return da < db;
        return aw > bw;
    }
    // Same width: the shell's own colour depth first, then the most colours it can take.
    const int ac = a.colorCode, bc = b.colorCode;
    if ((ac == shell) != (bc == shell)) return ac == shell;
    const bool aFits = ac <= shell, bFits = bc <= shell;
    if (aFits != bFits) return aFits;
    return aFits ? ac > bc : ac < bc;
}

}  // namespace

long ChooseImageForSize(const Workspace& ws, size_t iconIndex, int size, int shellColorCode) {
    const auto& images = ws.images();
    const int display = ws.metrics().displayColorCode;
    long best = -1;
    for (size_t fi : ws.FormatsOf(iconIndex)) {
        uint16_t number = ws.formats()[fi].imageNumber;
        if (number == 0 || number > images.size()) continue;
        const ImageEntry& image = images[number - 1u];
        if (!FormatSuitsDisplay(image.colorCode, display)) continue;
        if (best < 0 ||
            BetterForSize(image, images[static_cast<size_t>(best)], size, shellColorCode))
            best = static_cast<long>(number - 1u);
    }
    return best;
}

long ImageOfFormat(const Workspace& ws, size_t iconIndex, const FormatKey& format) {
    for (size_t fi : ws.FormatsOf(iconIndex)) {
        uint16_t number = ws.formats()[fi].imageNumber;
        if (number == 0 || number > ws.images().size()) continue;
        const ImageEntry& e = ws.images()[number - 1u];
        if (e.width == format.width && e.height == format.height && e.colorCode == format.colorCode)
            return static_cast<long>(number - 1u);
    }
    return -1;
}

ViewMetrics ViewLayout::ViewMetricsFor(int view) const {
    ViewMetrics m;
    m.view = view;
    m.largeIconSize = m_metrics.largeIconSize;
    m.smallIconSize = m_metrics.smallIconSize;
    m.verticalGap = m_metrics.verticalGap();
    m.displayColorCode = m_metrics.displayColorCode;
    return m;
}

void ViewLayout::SetView(Workspace& ws, int view) {
    m_view = view;
    ws.SetMetrics(ViewMetricsFor(view));
    ws.UpdateAllCellSizes();
}

void ViewLayout::SetMetrics(Workspace& ws, const DesktopMetrics& metrics) {
    m_metrics = metrics;
    SetView(ws, m_view);
}

int ViewLayout::RowHeightFor(const Workspace& ws, const IconEntry& icon) const {
    switch (m_view) {
        case kViewSpecific:
            return static_cast<int>(ws.currentFormat().height);
        case kViewRaw:
            return icon.cellHeight;
        default:
            return m_metrics.largeIconSize;
    }
}

void ViewLayout::Arrange(Workspace& ws, int clientWidth) {
    m_rows.clear();
    m_firstCellWidths.clear();
    const int startX = m_metrics.horizontalGap() / 2;
    const int gapY = m_metrics.verticalGap();
    const std::vector<size_t> order = ws.DisplayOrder();
    auto& icons = ws.icons();
    m_laidY.assign(ws.nextSerial(), INT32_MIN);
    m_rowTopOf.assign(ws.nextSerial(), 0);

    int x = startX;
    int top = gapY / 2;
    Row row;
    auto closeRow = [&](size_t end) {
        row.count = end - row.first;
        // Raw View sets the row's icons on its bottom line; the others fill the row from its top.
        for (size_t k = row.first; k < end; ++k) {
            IconEntry& icon = icons[order[k]];
            icon.y = m_view == kViewRaw ? row.top + row.height - icon.cellHeight : row.top;
            if (icon.serial < m_laidY.size()) {
                m_laidY[icon.serial] = icon.y;
                m_rowTopOf[icon.serial] = row.top;
            }
        }
        m_rows.push_back(row);
    };
    row.top = top;
    for (size_t k = 0; k < order.size(); ++k) {
        IconEntry& icon = icons[order[k]];
        // A cell that would pass the client's right side starts a new row, unless it is the first
        // of its row: an icon wider than the window has a row of its own.
        if (k > row.first && x + icon.cellWidth + 16 > clientWidth) {
            closeRow(k);
            top += row.height + gapY;
            row = Row{};
            row.first = k;
            row.top = top;
            x = startX;
        }
        if (k == row.first) m_firstCellWidths.push_back(icon.cellWidth + 16);
        icon.x = x;
        row.height = std::max(row.height, RowHeightFor(ws, icon));
        row.right = x + icon.cellWidth + 16;
        x += icon.cellWidth + m_metrics.horizontalGap();
    }
    if (!order.empty()) closeRow(order.size());
    m_contentHeight = m_rows.empty() ? 0 : int64_t{m_rows.back().top} + m_rows.back().height + gapY;
}

bool ViewLayout::NeedsRearrange(int clientWidth) const {
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].count > 1 && m_rows[i].right > clientWidth) return true;
        // The next row's first icon would now fit behind this row's last one.
        if (i + 1 < m_rows.size() &&
            m_rows[i].right - 16 + m_metrics.horizontalGap() + m_firstCellWidths[i + 1] <=
                clientWidth)
            return true;
    }
    return false;
}

void ViewLayout::ArrangeByPosition(Workspace& ws, int clientWidth) {
    if (m_view == kViewRaw) {
        for (IconEntry& icon : ws.icons())
            if (icon.serial < m_laidY.size() && m_laidY[icon.serial] == icon.y)
                icon.y = m_rowTopOf[icon.serial];
    }
    ws.Sort(kSortByPosition);
    Arrange(ws, clientWidth);
}

bool ViewLayout::LabelCentred() const {
    return m_view == kViewSpecific || m_view == kViewDesktop;
}

LayoutRect ViewLayout::CellRect(const Workspace& ws, size_t iconIndex) const {
    const IconEntry& icon = ws.icons()[iconIndex];
    return {icon.x, icon.y, icon.x + icon.cellWidth, icon.y + icon.cellHeight};
}

LayoutRect ViewLayout::LabelRect(const Workspace& ws, size_t iconIndex) const {
    // Worked out in int: a 256-pixel cell and its overhangs do not fit the record's byte.
    const IconEntry& icon = ws.icons()[iconIndex];
    const int overhang = m_metrics.labelOverhang();
    LayoutRect r;
    // Room for the line Raw and Windows View draw under the images.
    r.top = icon.y + icon.cellHeight + 4;
    r.bottom = r.top + m_metrics.labelHeight();
    if (LabelCentred()) {
        r.left = icon.x - overhang;
        r.right = icon.x + icon.cellWidth + overhang;
    } else {
        r.left = icon.x;
        r.right = icon.x + icon.cellWidth + 2 * overhang;
    }
    return r;
}

LayoutRect ViewLayout::ItemRect(const Workspace& ws, size_t iconIndex) const {
    LayoutRect c = CellRect(ws, iconIndex), l = LabelRect(ws, iconIndex);
    // The line under the Raw and Windows images sits a few pixels below the cell.
    return {std::min(c.left, l.left), c.top, std::max(c.right, l.right), l.bottom};
}

long ViewLayout::HitTest(const Workspace& ws, const std::vector<size_t>& order, int x, int y) {
    for (size_t k = order.size(); k-- > 0;) {
        const IconEntry& icon = ws.icons()[order[k]];
        if (x >= icon.x && x < icon.x + icon.cellWidth && y >= icon.y &&
            y < icon.y + icon.cellHeight)
            return static_cast<long>(order[k]);
    }
    return -1;
}

std::vector<size_t> ViewLayout::IconsMeeting(const Workspace& ws, const std::vector<size_t>& order,
                                             const LayoutRect& r) const {
    std::vector<size_t> out;
    for (size_t i : order)
        if (ItemRect(ws, i).Intersects(r)) out.push_back(i);
    return out;
}

std::vector<size_t> ViewLayout::IconsInside(const Workspace& ws, const LayoutRect& r) {
    std::vector<size_t> out;
    const auto& icons = ws.icons();
    for (size_t i = 0; i < icons.size(); ++i) {
        const IconEntry& icon = icons[i];
        LayoutRect cell{icon.x, icon.y, icon.x + icon.cellWidth, icon.y + icon.cellHeight};
        if (cell.Inside(r)) out.push_back(i);
    }
    return out;
}

long ViewLayout::Nearest(const Workspace& ws, size_t from, LayoutDirection direction) {
    const auto& icons = ws.icons();
    if (from >= icons.size()) return -1;
    auto centre = [](const IconEntry& e) {
        return std::pair<int64_t, int64_t>{int64_t{e.x} * 2 + e.cellWidth,
                                           int64_t{e.y} * 2 + e.cellHeight};
    };
    const auto [fx, fy] = centre(icons[from]);
    long best = -1;
    int64_t bestScore = 0;
    for (size_t i = 0; i < icons.size(); ++i) {
        if (i == from) continue;
        auto [cx, cy] = centre(icons[i]);
        int64_t along = 0, across = 0;
        switch (direction) {
            case LayoutDirection::Left:
                along = fx - cx, across = cy - fy;
                break;
            case LayoutDirection::Right:
                along = cx - fx, across = cy - fy;
                break;
            case LayoutDirection::Up:
                along = fy - cy, across = cx - fx;
                break;
            case LayoutDirection::Down:
                along = cy - fy, across = cx - fx;
                break;
        }
        if (along <= 0) continue;
        // Straying sideways counts double, so the neighbour in the same row or column wins over
        // a nearer one diagonally.
        int64_t score = along * along + 4 * across * across;
        if (best < 0 || score < bestScore) best = static_cast<long>(i), bestScore = score;
    }
    return best;
}

int ViewLayout::ScrollUnit(const Workspace& ws) const {
    return std::max(1, static_cast<int>(ws.currentFormat().height));
}

int32_t ViewLayout::ScrollRange(const Workspace& ws, int clientHeight) const {
    int64_t below = m_contentHeight - std::max(0, clientHeight);
    if (below <= 0) return 0;
    int64_t unit = ScrollUnit(ws);
    return static_cast<int32_t>(std::min<int64_t>((below + unit - 1) / unit, INT32_MAX));
}

int32_t ViewLayout::ScrollToShow(const Workspace& ws, size_t iconIndex, int32_t position,
                                 int clientHeight) const {
    const int64_t unit = ScrollUnit(ws);
    const LayoutRect item = ItemRect(ws, iconIndex);
    int64_t top = int64_t{position} * unit;
    int64_t pos = position;
    if (item.top < top)
        pos = item.top / unit;
    else if (item.bottom > top + clientHeight)
        pos = (item.bottom - clientHeight + unit - 1) / unit;
    pos = std::clamp<int64_t>(pos, 0, ScrollRange(ws, clientHeight));
    return static_cast<int32_t>(pos);
}

void SelectionMarks::Rebuild(const Workspace& ws) {
    m_marks.assign(ws.iconCount(), 0);
    m_count = 0;
    for (size_t i : ws.Selection()) {
        if (i < m_marks.size() && !m_marks[i]) {
            m_marks[i] = 1;
            ++m_count;
        }
    }
}

}  // namespace vt
