#include "output/metafile/gdi_selection.h"

#include <algorithm>

void GdiSelection::Use(const GdiPen& pen)
{
    if (pen_ == pen)
        return;
    const int slot = AddSlot();
    sink_.CreatePen(slot, pen);
    Replace(penSlot_, slot);
    pen_ = pen;
}

void GdiSelection::Use(const GdiBrush& brush)
{
    if (brush_ == brush)
        return;
    const int slot = AddSlot();
    sink_.CreateBrush(slot, brush);
    Replace(brushSlot_, slot);
    brush_ = brush;
}

int GdiSelection::AddSlot()
{
    const auto free = std::find(used_.begin(), used_.end(), false);
    const auto slot = static_cast<int>(free - used_.begin());
    if (free == used_.end())
        used_.push_back(true);
    else
        *free = true;
    tableSize_ = std::max(tableSize_, static_cast<int>(std::count(used_.begin(), used_.end(), true)));
    return slot;
}

void GdiSelection::Replace(int& slot, int newSlot)
{
    sink_.SelectObject(newSlot);
    if (slot >= 0) {
        sink_.DeleteObject(slot);
        used_[static_cast<std::size_t>(slot)] = false;
    }
    slot = newSlot;
}
