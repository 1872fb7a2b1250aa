// Keyboard movement between the boxes of the colour picker: the automatic
// box, the colour cells 0..count-1 in rows of a fixed width, and the more box.
// The two boxes take part only when present. No window code.
#pragma once

enum {
    PICK_NONE = -1,
    PICK_CUSTOM = -2,  // the "more" box
    PICK_DEFAULT = -3  // the "automatic" box
};

struct ColorPickerGrid {
    int count;
    int columns;
    bool hasDefault;
    bool hasCustom;
};

int PickerStepRight(const ColorPickerGrid& g, int cell);
int PickerStepLeft(const ColorPickerGrid& g, int cell);
int PickerStepDown(const ColorPickerGrid& g, int cell);
int PickerStepUp(const ColorPickerGrid& g, int cell);
