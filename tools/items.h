#pragma once
// The goods of the store, painted at any size: on the store's shelves, in the
// store's list of what the player owns, and on the hunt's icon bar.
#include <cairo.h>

enum class Item {
    Decoys,    // a pair of mallard decoys
    Licence,   // the hunting licence card
    Call1,     // duck call in pale maple
    Call2,     // duck call in walnut with a brass band
    Call3,     // duck call in black with a silver band
    ShellBox,  // a box of shells
    Gun1,      // pump shotgun
    Gun2,      // side-by-side double
    Gun3,      // semi-automatic
};

// Paints the item fitted into the rectangle, centred, keeping its proportions.
void PaintItem(cairo_t* cr, Item item, double x, double y, double w, double h);

// Paints the item filling the rectangle exactly, stretched if need be: a long
// gun shrunk to an icon reads better a little deeper than it really is.
void PaintItemStretched(cairo_t* cr, Item item, double x, double y, double w, double h);

// The item's natural width over height.
double ItemAspect(Item item);

// A duck of one of the four species (Mallard, Pintail, Redhead, Canvasback),
// hen (sex 0) or drake (1), sitting on the water, fitted into the rectangle.
void PaintDuck(cairo_t* cr, int species, int sex, double x, double y, double w, double h);
