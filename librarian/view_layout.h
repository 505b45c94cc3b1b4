#pragma once
// Where the icon window puts each icon: the cells of the four views, the image a view shows for a
// given size, the rows the icons wrap into, the label rectangles, hit tests and the vertical
// scroll range. The window paints and scrolls from this; it holds no window of its own, so the
// same arrangement can be checked and timed without a display.

#include <cstdint>
#include <vector>

#include "librarian/workspace.h"

namespace vt {

// The desktop's icon metrics, as the frame reads them at start-up.
struct DesktopMetrics {
    int largeIconSize = 32;
    int smallIconSize = 16;
    int iconSpacing = 75;          // "IconSpacing"
    int iconVerticalSpacing = 72;  // "IconVerticalSpacing"
    int labelLineHeight = 13;      // one line of the label font
    int shellColorCode = 16;
    int displayColorCode = 1024;

    // Spacings below the icon size would give negative gaps.
    int horizontalGap() const {
        return iconSpacing > largeIconSize ? iconSpacing - largeIconSize : 0;
    }
    int verticalGap() const {
        return iconVerticalSpacing > largeIconSize ? iconVerticalSpacing - largeIconSize : 0;
    }
    int labelOverhang() const { return horizontalGap() > 2 ? horizontalGap() / 2 - 1 : 0; }
    // Three lines of the label font, or less when the gap between rows is smaller.
    int labelHeight() const;
};

struct LayoutRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Intersects(const LayoutRect& r) const {
        return left < r.right && r.left < right && top < r.bottom && r.top < bottom;
    }
    bool Inside(const LayoutRect& r) const {
        return left >= r.left && right <= r.right && top >= r.top && bottom <= r.bottom;
    }
};

// The image chosen for a size T among an icon's images that the display can show: one of width T
// beats any other; between two of width T the one of the shell's colour code, else the one with
// the most colours not above it; between other widths the nearer to T, at equal distance the
// wider. Returns an index into ws.images(), or -1 when the icon shows nothing at that size.
long ChooseImageForSize(const Workspace& ws, size_t iconIndex, int size, int shellColorCode);

// The icon's image of exactly this format (Specific View's image), or -1 when it has none.
long ImageOfFormat(const Workspace& ws, size_t iconIndex, const FormatKey& format);

// The arrow keys' directions.
enum class LayoutDirection { Left, Right, Up, Down };

class ViewLayout {
  public:
    ViewLayout() = default;
    explicit ViewLayout(const DesktopMetrics& metrics) : m_metrics(metrics) {}

    const DesktopMetrics& metrics() const { return m_metrics; }
    // The workspace's view metrics for these desktop metrics and a view.
    ViewMetrics ViewMetricsFor(int view) const;
    // Changes the view (or the display, or the current format): every icon's cell is worked out
    // again. The caller then arranges.
    void SetView(Workspace& ws, int view);
    void SetMetrics(Workspace& ws, const DesktopMetrics& metrics);

    // Places every icon into rows in display order for a client area `clientWidth` wide.
    void Arrange(Workspace& ws, int clientWidth);
    // Whether a client area of the new width breaks a row that fits now, or leaves room for a
    // row's first icon at the end of the row before: then the window re-arranges by position.
    bool NeedsRearrange(int clientWidth) const;
    // Sorts by position and arranges. Raw View sets its rows' icons on the rows' bottom lines, so
    // icons of very different heights in one row would not count as one row for the sort and a
    // mere resize would reorder them: icons still where the last arrangement put them are sorted
    // by their row's top instead.
    void ArrangeByPosition(Workspace& ws, int clientWidth);

    // Cell and label rectangles of an icon, in workspace coordinates (no scroll offset).
    LayoutRect CellRect(const Workspace& ws, size_t iconIndex) const;
    LayoutRect LabelRect(const Workspace& ws, size_t iconIndex) const;
    // Cell and label together: what must be repainted when the icon changes.
    LayoutRect ItemRect(const Workspace& ws, size_t iconIndex) const;
    // Whether the label is centred under the cell (Specific and Desktop) or left-aligned.
    bool LabelCentred() const;

    // The icon whose cell holds the point, searching from the last icon in display order back, or
    // -1. `order` is ws.DisplayOrder().
    static long HitTest(const Workspace& ws, const std::vector<size_t>& order, int x, int y);
    // Icons in display order whose cell or label meets the rectangle.
    std::vector<size_t> IconsMeeting(const Workspace& ws, const std::vector<size_t>& order,
                                     const LayoutRect& r) const;
    // Icons whose cell lies wholly inside the rectangle (the rubber band).
    static std::vector<size_t> IconsInside(const Workspace& ws, const LayoutRect& r);
    // The icon nearest to `from` in a direction, or -1 when there is none that way.
    static long Nearest(const Workspace& ws, size_t from, LayoutDirection direction);

    // Vertical scrolling, in units of the current format's height.
    int ScrollUnit(const Workspace& ws) const;
    // Height of everything laid out, in pixels.
    int64_t ContentHeight() const { return m_contentHeight; }
    // The largest scroll position: the rows below a client area this high, rounded up to units.
    int32_t ScrollRange(const Workspace& ws, int clientHeight) const;
    // The first scroll position (in units) at which the icon's cell and label are wholly in view.
    int32_t ScrollToShow(const Workspace& ws, size_t iconIndex, int32_t position,
                         int clientHeight) const;

    struct Row {
        size_t first = 0;  // position in display order
        size_t count = 0;
        int top = 0;
        int height = 0;
        int right = 0;  // right edge of the last cell plus 16
    };
    const std::vector<Row>& rows() const { return m_rows; }

  private:
    int RowHeightFor(const Workspace& ws, const IconEntry& icon) const;

    DesktopMetrics m_metrics;
    int m_view = kViewWindows;
    std::vector<Row> m_rows;
    std::vector<int> m_firstCellWidths;  // width + 16 of each row's first cell
    // Per serial: the y the last arrangement gave the icon and its row's top (Raw View).
    std::vector<int32_t> m_laidY, m_rowTopOf;
    int64_t m_contentHeight = 0;
};

// One mark per icon beside the workspace's selection value, so that painting and hit tests ask
// "is it selected?" in constant time. Rebuilt whenever the selection changes.
class SelectionMarks {
  public:
    void Rebuild(const Workspace& ws);
    bool IsSelected(size_t index) const { return index < m_marks.size() && m_marks[index]; }
    size_t count() const { return m_count; }

  private:
    std::vector<uint8_t> m_marks;
    size_t m_count = 0;
};

}  // namespace vt
