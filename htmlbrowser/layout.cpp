// Flows boxes into lines, aligns the lines, sizes tables from their
// columns' narrowest and widest content and lets floats narrow the lines.
#include <algorithm>
#include <climits>
#include <vector>

#include "html_document.h"

namespace {

// Cache slots of a cell: its content's right edge at width 0, its extent at
// the widest measure (when made), and whether that was made.
constexpr int kCacheNarrow = 0;
constexpr int kCacheWide = 1;
constexpr int kCacheWideMade = 2;

constexpr int kWideMeasure = 2000;

struct Column {
    int width = 0, minimum = 0, preferred = 0, fixed = 0, covered = 0;
};

struct Row {
    int height = 0, fixed = 0;
};

struct Float {
    int side;  // 0 left, 1 right
    int indent;
    int bottom;
};

struct Extent {
    bool any = false;
    int left = 0, right = 0, bottom = 0;
};

bool IsFrame(const HtmlBoxList& list, int k) {
    return list[k]->kind == kBoxBreak && k + 1 < list.count && list[k + 1]->kind == kBoxCell;
}

// The counted children's extent: " " boxes only in no-wrap mode; for the
// widest measure a break only when it frames a table.
Extent MeasureChildren(const HtmlBoxList& list, bool wide) {
    Extent extent;
    for (int k = 0; k < list.count; ++k) {
        const HtmlBox* box = list[k];
        if (box->IsSpace() && !box->noWrap) continue;
        if (wide && box->kind == kBoxBreak && !IsFrame(list, k)) continue;
        if (!extent.any) {
            extent.left = box->x;
            extent.right = box->x + box->width;
        }
        extent.any = true;
        extent.left = std::min(extent.left, box->x);
        extent.right = std::max(extent.right, box->x + box->width);
    }
    return extent;
}

int LowestBottom(const HtmlBoxList& list) {
    int bottom = 0;
    for (int k = 0; k < list.count; ++k) bottom = std::max(bottom, list[k]->y + list[k]->height);
    return bottom;
}

// Adds one pixel per round to each of the growable entries, in order,
// stopping once amount pixels are given: the rounds done at once.
template <typename Grow>
void Distribute(long long amount, const std::vector<int>& entries, Grow grow) {
    if (amount <= 0 || entries.empty()) return;
    long long n = static_cast<long long>(entries.size());
    long long each = amount / n, rest = amount % n;
    for (long long i = 0; i < n; ++i) grow(entries[size_t(i)], int(each + (i < rest ? 1 : 0)));
}

}  // namespace

class HtmlLayout {
public:
    HtmlLayout(CHtmlDocument& document, HtmlRect& rect, HtmlBoxList& list)
        : doc_(document), rect_(rect), list_(list) {}
    void Run();

private:
    void FinishLine(int f, int e);
    void LayoutTable(int first);
    void PlaceCell(int j);
    bool Continues(int cell, int next) const;
    int FirstColumn(const HtmlBox* cell, int& shift, int* offset);
    void UseUpCoveredRight(int afterColumn);
    Column& ColumnAt(int index);
    Row& RowAt(int index);
    void MeasureCell(HtmlBox* cell, int available, bool wide, int& narrow, int& widest, bool& wideMade);

    CHtmlDocument& doc_;
    HtmlRect& rect_;
    HtmlBoxList& list_;
    int lineX_ = 0, lineTop_ = 0, rowOffset_ = 0;
    std::vector<Float> floats_;
    // The table in progress and the last one laid out.
    bool inTable_ = false;
    HtmlBox* frame_ = nullptr;
    std::vector<Column> columns_;
    std::vector<Row> rows_;
    std::vector<int> cellColumns_;  // first column of each cell, by box index
    int placeShift_ = 0;
};

Column& HtmlLayout::ColumnAt(int index) {
    if (size_t(index) >= columns_.size()) columns_.resize(size_t(index) + 1);
    return columns_[size_t(index)];
}

Row& HtmlLayout::RowAt(int index) {
    if (size_t(index) >= rows_.size()) rows_.resize(size_t(index) + 1);
    return rows_[size_t(index)];
}

bool HtmlLayout::Continues(int cell, int next) const {
    const HtmlBox* previous = list_[cell];
    if (next >= list_.count) return false;
    const HtmlBox* box = list_[next];
    if (box->kind == kBoxCell)
        return box->row == previous->row && box->column == previous->column + previous->columnSpan;
    if (box->kind == kBoxBreak && next + 1 < list_.count) {
        const HtmlBox* after = list_[next + 1];
        return after->kind == kBoxCell && after->column == 0 && after->row == previous->row + 1;
    }
    return false;
}

// A cell's first column: its number plus the columns a row span from above
// still covers, each skip using up one covered row.
int HtmlLayout::FirstColumn(const HtmlBox* cell, int& shift, int* offset) {
    int column = cell->column + shift;
    while (size_t(column) < columns_.size() && columns_[size_t(column)].covered > 0) {
        Column& covered = columns_[size_t(column)];
        --covered.covered;
        if (offset) *offset += covered.width + 2 * cell->cellPadding + cell->cellSpacing;
        ++shift;
        ++column;
    }
    if (cell->rowSpan > 1)
        for (int c = column; c < column + cell->columnSpan; ++c) ColumnAt(c).covered = cell->rowSpan - 1;
    return column;
}

void HtmlLayout::UseUpCoveredRight(int afterColumn) {
    for (size_t c = size_t(std::max(afterColumn, 0)); c < columns_.size(); ++c)
        if (columns_[c].covered > 0) --columns_[c].covered;
}

void HtmlLayout::MeasureCell(HtmlBox* cell, int available, bool wide, int& narrow, int& widest, bool& wideMade) {
    if (cell->layoutCache[kCacheNarrow] >= 0) {
        narrow = cell->layoutCache[kCacheNarrow];
        widest = cell->layoutCache[kCacheWide];
        wideMade = cell->layoutCache[kCacheWideMade] == 1;
        if (!wide || wideMade || available == 0) return;
    } else {
        HtmlRect zero;
        doc_.LayoutBoxes(zero, cell->children);
        Extent extent = MeasureChildren(cell->children, false);
        narrow = extent.any ? std::max(extent.right, 0) : 0;
        widest = 0;
        wideMade = false;
    }
    if (wide && available != 0) {
        HtmlRect broad;
        broad.right = kWideMeasure;
        doc_.LayoutBoxes(broad, cell->children);
        Extent extent = MeasureChildren(cell->children, true);
        widest = extent.any ? extent.right - extent.left : 0;
        wideMade = true;
    }
    // The measures depend on the content alone, so every later pass reuses them.
    cell->layoutCache[kCacheNarrow] = narrow;
    cell->layoutCache[kCacheWide] = widest;
    cell->layoutCache[kCacheWideMade] = wideMade ? 1 : 0;
    cell->layoutCache[3] = 0;
}

void HtmlLayout::LayoutTable(int first) {
    inTable_ = true;
    frame_ = first > 0 && list_[first - 1]->kind == kBoxBreak ? list_[first - 1] : nullptr;
    columns_.clear();
    rows_.clear();
    cellColumns_.assign(size_t(list_.count), 0);
    std::vector<int> cells{first};
    for (int k = first; Continues(k, k + 1) || Continues(k, k + 2);) {
        k = list_[k + 1]->kind == kBoxCell ? k + 1 : k + 2;
        cells.push_back(k);
    }
    const HtmlBox* head = list_[first];
    const int padding = head->cellPadding, spacing = head->cellSpacing, border = head->tableBorder;
    const int available = std::max(rect_.right - rect_.left, 0);

    // Columns, in two passes.
    for (int pass = 1; pass <= 2; ++pass) {
        for (Column& column : columns_) column.covered = 0;
        int shift = 0;
        for (size_t i = 0; i < cells.size(); ++i) {
            HtmlBox* cell = list_[cells[i]];
            if (i > 0 && list_[cells[i - 1]]->row != cell->row) {
                const HtmlBox* last = list_[cells[i - 1]];
                UseUpCoveredRight(cellColumns_[size_t(cells[i - 1])] + last->columnSpan);
                shift = 0;
            }
            int c = FirstColumn(cell, shift, nullptr);
            cellColumns_[size_t(cells[i])] = c;
            if (cell->columnSpan == 1) {
                Column& column = ColumnAt(c);
                int narrow = 0, widest = 0;
                bool wideMade = false;
                MeasureCell(cell, available, cell->cellWidth == 0, narrow, widest, wideMade);
                column.width = std::max(column.width, narrow);
                column.minimum = std::max(column.minimum, narrow);
                if (cell->cellWidth) {
                    column.width = std::max(column.width, cell->cellWidth);
                    column.preferred = std::max(column.preferred, column.width);
                    column.fixed = 1;
                } else if (available != 0 && wideMade) {
                    column.preferred = std::max(column.preferred, widest);
                } else {
                    column.preferred = std::max(column.preferred, column.width);
                }
            } else if (pass == 2) {
                int narrow = 0, widest = 0;
                bool wideMade = false;
                MeasureCell(cell, available, false, narrow, widest, wideMade);
                long long need = std::max(narrow, cell->cellWidth);
                long long has = 0;
                for (int k = c; k < c + cell->columnSpan; ++k) has += ColumnAt(k).width;
                has += 1LL * (2 * padding + spacing) * (cell->columnSpan - 1);
                if (has < need) {
                    std::vector<int> growable, open;
                    for (int k = c; k < c + cell->columnSpan; ++k) {
                        if (columns_[size_t(k)].fixed) continue;
                        open.push_back(k);
                        if (columns_[size_t(k)].width > 0) growable.push_back(k);
                    }
                    if (growable.empty() && !open.empty()) {
                        for (int k : open) {
                            Column& column = columns_[size_t(k)];
                            ++column.width;
                            ++column.preferred;
                            column.minimum = column.width;
                        }
                        has += static_cast<long long>(open.size());
                        growable = open;
                    }
                    Distribute(need - has, growable, [&](int k, int amount) {
                        Column& column = columns_[size_t(k)];
                        column.width += amount;
                        column.preferred = std::max(column.preferred, column.width);
                    });
                }
            }
        }
    }

    // Table width.
    long long target = head->tableWidth < 0 ? 1LL * -head->tableWidth * available / 100 : head->tableWidth;
    if (target == 0) target = available;
    long long total = spacing + 2LL * border;
    for (const Column& column : columns_) total += column.width + 2LL * padding + spacing;
    if (target != 0 && total < target) {
        // Each round grows every open column below its preferred width by a pixel.
        for (;;) {
            std::vector<int> open;
            long long step = LLONG_MAX;
            for (size_t k = 0; k < columns_.size(); ++k) {
                const Column& column = columns_[k];
                if (column.fixed || column.width >= column.preferred) continue;
                open.push_back(int(k));
                step = std::min<long long>(step, column.preferred - column.width);
            }
            long long missing = target - total;
            if (open.empty() || missing <= 0) break;
            long long rounds = std::min(step, missing / static_cast<long long>(open.size()));
            if (rounds == 0) {
                Distribute(missing, open, [&](int k, int amount) { columns_[size_t(k)].width += amount; });
                total = target;
                break;
            }
            for (int k : open) columns_[size_t(k)].width += int(rounds);
            total += rounds * static_cast<long long>(open.size());
        }
        if (total < target && head->tableWidth != 0) {
            std::vector<int> open;
            for (size_t k = 0; k < columns_.size(); ++k)
                if (!columns_[k].fixed) open.push_back(int(k));
            if (!open.empty()) {
                Distribute(target - total, open, [&](int k, int amount) { columns_[size_t(k)].width += amount; });
                total = target;
            }
        }
    } else if (target != 0 && total > target) {
        // The widest fixed column gives up a pixel at a time (the first of
        // equals first), down to 10 pixels or its narrowest content: all at
        // once, the columns come down to one level.
        auto floorOf = [](const Column& column) { return std::max(10, column.minimum); };
        auto removed = [&](long long level) {
            long long sum = 0;
            for (const Column& column : columns_)
                if (column.fixed) sum += std::max<long long>(0, column.width - std::max<long long>(level, floorOf(column)));
            return sum;
        };
        long long excess = total - target, low = 0, high = 0;
        for (const Column& column : columns_) high = std::max<long long>(high, column.width);
        while (low < high) {  // the lowest level that removes no more than the excess
            long long middle = (low + high) / 2;
            if (removed(middle) <= excess) high = middle;
            else low = middle + 1;
        }
        long long rest = excess - removed(low);
        for (Column& column : columns_) {
            if (!column.fixed) continue;
            column.width = int(std::min<long long>(column.width, std::max<long long>(low, floorOf(column))));
            if (rest > 0 && column.width == low && low > floorOf(column)) {
                --column.width;
                --rest;
            }
        }
    }
    total = spacing + 2LL * border;
    for (const Column& column : columns_) total += column.width + 2LL * padding + spacing;

    // Rows, in two passes.
    auto contentWidth = [&](int c, const HtmlBox* cell) {
        long long width = ColumnAt(c).width;
        for (int k = c + 1; k < c + cell->columnSpan; ++k) width += ColumnAt(k).width + 2LL * padding + spacing;
        return int(std::min<long long>(width, INT_MAX / 4));
    };
    for (int cellIndex : cells) {
        HtmlBox* cell = list_[cellIndex];
        HtmlRect area;
        area.right = contentWidth(cellColumns_[size_t(cellIndex)], cell);
        doc_.LayoutBoxes(area, cell->children);
        if (cell->rowSpan == 1) {
            Row& row = RowAt(cell->row);
            row.height = std::max(row.height, LowestBottom(cell->children));
            if (cell->cellHeight) {
                row.height = std::max(row.height, cell->cellHeight);
                row.fixed = 1;
            }
        }
    }
    for (int cellIndex : cells) {
        HtmlBox* cell = list_[cellIndex];
        if (cell->rowSpan == 1) continue;
        std::vector<int> spanned;
        long long has = 1LL * (2 * padding + spacing) * (cell->rowSpan - 1);
        for (int r = cell->row; r < cell->row + cell->rowSpan; ++r) {
            spanned.push_back(r);
            has += RowAt(r).height;
        }
        long long need = LowestBottom(cell->children);
        if (has < need) {
            long long count = static_cast<long long>(spanned.size());
            long long rounds = (need - has + count - 1) / count;
            for (int r : spanned) rows_[size_t(r)].height += int(rounds);
        }
        if (cell->cellHeight) {
            long long heights = 0;
            for (int r : spanned) {
                rows_[size_t(r)].fixed = 1;
                heights += rows_[size_t(r)].height;
            }
            Distribute(cell->cellHeight - heights, spanned, [&](int r, int amount) { rows_[size_t(r)].height += amount; });
        }
    }
    if (head->tableHeight) {
        long long heights = 0;
        std::vector<int> open;
        for (size_t r = 0; r < rows_.size(); ++r) {
            heights += rows_[r].height;
            if (!rows_[r].fixed) open.push_back(int(r));
        }
        Distribute(head->tableHeight - heights, open, [&](int r, int amount) { rows_[size_t(r)].height += amount; });
    }

    if (frame_) {
        long long height = spacing + 2LL * border;
        for (const Row& row : rows_) height += row.height + 2LL * padding + spacing;
        frame_->x = lineX_;
        frame_->y = lineTop_;
        frame_->width = int(std::min<long long>(total, INT_MAX / 4));
        frame_->height = int(std::min<long long>(height, INT_MAX / 4));
        frame_->borderFlags = 15;
        frame_->borderThickness = border;
        frame_->borderColor = head->borderColor == -1 ? -2 : head->borderColor;
    }
    for (Column& column : columns_) column.covered = 0;
    placeShift_ = 0;
}

void HtmlLayout::PlaceCell(int j) {
    HtmlBox* cell = list_[j];
    const int padding = cell->cellPadding, spacing = cell->cellSpacing;
    if (cell->column == 0) {
        lineTop_ += spacing + (cell->row == 0 ? cell->tableBorder : 0);
        lineX_ += spacing + cell->tableBorder;
        placeShift_ = 0;
    }
    int c = FirstColumn(cell, placeShift_, &rowOffset_);
    long long width = 1LL * spacing * (cell->columnSpan - 1) + 2LL * cell->columnSpan * padding;
    for (int k = c; k < c + cell->columnSpan; ++k) width += ColumnAt(k).width;
    long long height = RowAt(cell->row).height + 2LL * padding;
    for (int r = cell->row + 1; r < cell->row + cell->rowSpan; ++r) height += RowAt(r).height + 2LL * padding + spacing;
    cell->width = int(std::min<long long>(width, INT_MAX / 4));
    cell->height = int(std::min<long long>(height, INT_MAX / 4));
    int free = cell->height - 2 * padding - LowestBottom(cell->children);
    int shift = cell->verticalAlignment == 1 ? free : cell->verticalAlignment == 2 ? free / 2 : 0;
    cell->x = rowOffset_ + lineX_;
    cell->y = lineTop_;
    CHtmlDocument::MoveBox(cell, padding + cell->x, padding + cell->y + shift);
    cellColumns_[size_t(j)] = c;
}

void HtmlLayout::FinishLine(int f, int e) {
    rowOffset_ = 0;
    int lineHeight = 0;
    long long lineWidth = 0;
    for (int k = f; k < e; ++k) {
        const HtmlBox* box = list_[k];
        if (box->kind == kBoxText || box->kind == kBoxImage)
            lineHeight = std::max(lineHeight, box->height);
        else if (box->kind == kBoxCell)
            lineHeight = std::max(lineHeight, box->rowSpan > 1 ? 2 * box->cellPadding : box->height);
        if (box->alignment != 0 && !(k == e - 1 && box->IsSpace())) lineWidth += box->width;
    }
    if (e > f && list_[e - 1]->kind == kBoxCell && frame_) lineWidth = frame_->width;
    const int left = rect_.left, right = rect_.right;
    long long offset = 0;
    if (f < list_.count && list_[f]->alignment == 2) offset = std::max<long long>((right - lineWidth - left) / 2, 0);
    if (f < list_.count && list_[f]->alignment == 1) offset = right - lineWidth - left;
    bool cellFollows = e + 1 < list_.count && list_[e + 1]->kind == kBoxCell;
    for (int k = f; k < e; ++k) {
        HtmlBox* box = list_[k];
        bool frame = IsFrame(list_, k);
        if (!cellFollows && box->kind != kBoxCell && !frame) box->y += lineHeight - box->height;
        if (offset != 0 && box->width < right && (box->kind != kBoxBreak || frame)) {
            box->x += int(offset);
            if (box->kind == kBoxCell) CHtmlDocument::MoveBox(box, int(offset), 0);
        }
    }
    // Justified lines spread their words a pixel per word and round.
    if (f < e && list_[f]->alignment == 3 && e - f > 2 && e < list_.count && list_[e]->kind != kBoxBreak &&
        right != 0 && lineWidth < right - left) {
        std::vector<int> movable;
        for (int k = f + 2; k < e; ++k)
            if (!list_[k]->IsSpace()) movable.push_back(k);
        if (!movable.empty()) {
            long long missing = right - left - lineWidth;
            long long m = static_cast<long long>(movable.size());
            long long rounds = missing / m, rest = missing % m;
            long long moved = 0;
            size_t next = 0;
            for (int k = f + 2; k < e; ++k) {
                if (next < movable.size() && movable[next] == k) {
                    ++next;
                    moved = rounds * static_cast<long long>(next) + std::min<long long>(rest, static_cast<long long>(next));
                }
                HtmlBox* box = list_[k];
                box->x += int(moved);
                if (box->kind == kBoxCell) CHtmlDocument::MoveBox(box, int(moved), 0);
            }
        }
    }
    if (e < list_.count && list_[e]->kind == kBoxBreak) {
        HtmlBox* end = list_[e];
        end->x = 0;
        end->y = lineTop_ + lineHeight;
        if (e + 1 < list_.count && list_[e + 1]->kind == kBoxText) end->y -= list_[e + 1]->height / 2;
    }
    lineTop_ += lineHeight;

    // Floats end below their frames, at the end, or at a clearing break.
    bool besideFrame = (e >= 1 && list_[e - 1]->kind == kBoxCell && list_[e - 1]->floatAlignment >= 0) ||
                       (e >= 2 && list_[e - 2]->kind == kBoxCell && list_[e - 2]->floatAlignment >= 0);
    if (!besideFrame && !floats_.empty()) {
        bool atEnd = e >= list_.count;
        bool clearing = !atEnd && list_[e]->kind == kBoxBreak && list_[e]->clear;
        std::vector<Float> kept;
        for (size_t i = 0; i < floats_.size(); ++i) {
            const Float& candidate = floats_[i];
            bool expires = atEnd || clearing || candidate.bottom <= lineTop_;
            if (expires && !clearing) {
                for (size_t k = 0; k < floats_.size(); ++k)
                    if (k != i && floats_[k].side == candidate.side && floats_[k].bottom > lineTop_) expires = false;
            }
            if (!expires) {
                kept.push_back(candidate);
                continue;
            }
            if (candidate.side == 0) rect_.left -= candidate.indent;
            else rect_.right += candidate.indent;
            if (clearing) lineTop_ = std::max(lineTop_, candidate.bottom);
        }
        floats_.swap(kept);
    }
    if (!floats_.empty() && e < list_.count && list_[e]->kind == kBoxText && list_[e]->text &&
        list_[e]->text[0] != u' ' && list_[e]->width > rect_.right - rect_.left) {
        for (const Float& expired : floats_) {
            if (expired.side == 0) rect_.left -= expired.indent;
            else rect_.right += expired.indent;
            lineTop_ = std::max(lineTop_, expired.bottom);
        }
        floats_.clear();
    }
    lineX_ = rect_.left;
}

void HtmlLayout::Run() {
    lineX_ = rect_.left;
    lineTop_ = rect_.top;
    int first = 0;
    for (int j = 0; j <= list_.count; ++j) {
        HtmlBox* box = j < list_.count ? list_[j] : nullptr;
        if (box) {
            if (box->kind == kBoxImage && doc_.Pictures()) doc_.Pictures()->SizeImageBox(*box, doc_.decodeWait_);
            if (box->kind == kBoxBreak && box->width != 0) box->width = 1;
            if (box->kind == kBoxCell) {
                if (!inTable_) LayoutTable(j);
                PlaceCell(j);
            }
        }
        if (!box || box->kind == kBoxBreak || (!box->IsSpace() && lineX_ + box->width > rect_.right)) {
            if (box && box->kind == kBoxBreak && box->height != 0 && !(j + 1 < list_.count && list_[j + 1]->kind == kBoxCell))
                box->width = std::max(rect_.right - rect_.left, 0);
            if (!box || (box->kind != kBoxCell && (box->kind == kBoxBreak || !box->noWrap))) {
                FinishLine(first, j);
                first = j;
            }
        }
        if (!box) break;
        if (box->kind != kBoxBreak) {
            box->x = lineX_ + rowOffset_;
            box->y = lineTop_;
            lineX_ += box->width + (box->kind == kBoxCell ? box->cellSpacing : 0);
        }
        if (box->kind == kBoxBreak && j > 0 && list_[j - 1]->kind == kBoxCell && !inTable_ && frame_)
            lineTop_ = frame_->y + frame_->height;
        if (box->kind == kBoxCell) {
            if (j + 1 < list_.count && list_[j + 1]->kind == kBoxBreak)
                UseUpCoveredRight(cellColumns_[size_t(j)] + box->columnSpan);
            if (!Continues(j, j + 1)) {
                inTable_ = false;
                lineTop_ += box->cellSpacing + box->tableBorder;
            }
        }
        if (box->kind == kBoxBreak && j >= 2 && list_[j - 1]->kind == kBoxBreak && list_[j - 2]->kind == kBoxCell &&
            list_[j - 2]->floatAlignment >= 0) {
            const HtmlBox* frame = frame_;
            if (!frame)
                for (int k = j - 3; k >= 0 && !frame; --k)
                    if (list_[k]->kind == kBoxBreak) frame = list_[k];
            if (frame) {
                lineTop_ = frame->y;
                Float added{list_[j - 2]->floatAlignment, frame->width, frame->y + frame->height};
                if (added.side == 0) rect_.left += added.indent;
                else rect_.right -= added.indent;
                floats_.push_back(added);
                lineX_ = rect_.left;
            }
        }
    }
}

void CHtmlDocument::LayoutBoxes(HtmlRect& rect, HtmlBoxList& list) {
    HtmlLayout layout(*this, rect, list);
    layout.Run();
}

void CHtmlDocument::ResetLayoutCache(HtmlBoxList& list) {
    for (int k = 0; k < list.count; ++k) {
        HtmlBox* box = list[k];
        for (int& slot : box->layoutCache) slot = -1;
        if (box->control != -1 && browser_) browser_->PlaceControl(box->control, box->x, box->y);
        ResetLayoutCache(box->children);
    }
}

void CHtmlDocument::Layout(HtmlRect& rect) {
    HtmlRect area = rect;
    area.right = rect.right - 2;
    ResetLayoutCache(boxes_);
    LayoutBoxes(area, boxes_);
    int right = 0, bottom = 0;
    for (int k = 0; k < boxes_.count; ++k) {
        const HtmlBox* box = boxes_[k];
        if (box->IsSpace()) continue;
        right = std::max(right, box->x + box->width);
        bottom = std::max(bottom, box->y + box->height);
    }
    rect.right = right;
    rect.bottom = bottom;
    ResetLayoutCache(boxes_);
}
