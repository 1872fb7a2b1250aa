#include "controls/ColorPickerNav.h"

namespace {

// Position along the cycle automatic box, cells, more box.
int CyclePos(const ColorPickerGrid& g, int cell)
{
    if (cell == PICK_DEFAULT)
        return 0;
    if (cell == PICK_CUSTOM)
        return g.count + 1;
    return cell + 1;
}

bool Present(const ColorPickerGrid& g, int pos)
{
    if (pos == 0)
        return g.hasDefault;
    if (pos == g.count + 1)
        return g.hasCustom;
    return true;
}

int CellAt(const ColorPickerGrid& g, int pos)
{
    if (pos == 0)
        return PICK_DEFAULT;
    if (pos == g.count + 1)
        return PICK_CUSTOM;
    return pos - 1;
}

int Step(const ColorPickerGrid& g, int cell, int dir)
{
    int n = g.count + 2;
    int pos;
    if (cell == PICK_NONE || cell < PICK_DEFAULT || cell >= g.count)
        pos = dir > 0 ? n - 1 : 0;  // the first step lands on the first (or last) present box
    else
        pos = CyclePos(g, cell);
    for (int i = 0; i < n; ++i) {
        pos = (pos + dir + n) % n;
        if (Present(g, pos))
            return CellAt(g, pos);
    }
    return PICK_NONE;
}

int LastCell(const ColorPickerGrid& g) { return g.count - 1; }

bool ValidCell(const ColorPickerGrid& g, int cell) { return cell >= 0 && cell < g.count; }

}  // namespace

int PickerStepRight(const ColorPickerGrid& g, int cell) { return Step(g, cell, 1); }
int PickerStepLeft(const ColorPickerGrid& g, int cell) { return Step(g, cell, -1); }

int PickerStepDown(const ColorPickerGrid& g, int cell)
{
    if (ValidCell(g, cell)) {
        if (cell + g.columns < g.count)
            return cell + g.columns;
        if (g.hasCustom)
            return PICK_CUSTOM;
        return g.hasDefault ? PICK_DEFAULT : 0;
    }
    if (cell == PICK_CUSTOM && g.hasDefault)
        return PICK_DEFAULT;
    return 0;
}

int PickerStepUp(const ColorPickerGrid& g, int cell)
{
    if (ValidCell(g, cell)) {
        if (cell - g.columns >= 0)
            return cell - g.columns;
        if (g.hasDefault)
            return PICK_DEFAULT;
        return g.hasCustom ? PICK_CUSTOM : LastCell(g);
    }
    if (cell == PICK_DEFAULT && g.hasCustom)
        return PICK_CUSTOM;
    return LastCell(g);
}
