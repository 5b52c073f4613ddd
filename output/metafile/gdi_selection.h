#pragma once

#include "output/metafile/gdi_style.h"

#include <optional>
#include <vector>

// Writes the object records of one metafile format. Slots count from zero.
class GdiObjectSink {
public:
    virtual void CreatePen(int slot, const GdiPen& pen) = 0;
    virtual void CreateBrush(int slot, const GdiBrush& brush) = 0;
    virtual void SelectObject(int slot) = 0;
    virtual void DeleteObject(int slot) = 0;

protected:
    ~GdiObjectSink() = default;
};

// The pen and brush selected during playback. A new one is created, selected
// and only then is the old one deleted, since GDI does not delete a selected
// object; a new object takes the lowest free slot, as playback assigns them.
// The last pen and brush stay until playback ends.
class GdiSelection {
public:
    explicit GdiSelection(GdiObjectSink& sink) : sink_(sink) {}

    void Use(const GdiPen& pen);
    void Use(const GdiBrush& brush);

    // The most slots in use at once.
    int TableSize() const { return tableSize_; }

private:
    int AddSlot();
    void Replace(int& slot, int newSlot);

    GdiObjectSink& sink_;
    std::vector<bool> used_;
    int tableSize_ = 0;
    std::optional<GdiPen> pen_;
    std::optional<GdiBrush> brush_;
    int penSlot_ = -1;
    int brushSlot_ = -1;
};
