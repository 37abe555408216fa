#pragma once
// The talking heads: a whole figure painted once per pose at one geometry,
// then cut into the twelve graphics the game composes while a character
// speaks (head, four eye overlays, three mouths, two second overlays, an
// unused one and the head rectangle).
#include <array>
#include <cstddef>
#include <vector>

#include "canvas.h"
#include "heads_paint.h"

enum class Eyes { kAhead, kAside, kFrown, kRaised };
enum class Mouth { kClosed, kOpen, kWide };

struct HeadPose {
    Eyes eyes = Eyes::kRaised;  // overlay 4 is drawn with the head before speech
    Mouth mouth = Mouth::kClosed;
    bool second = false;  // graphic 10 (a blink or a gesture) rather than 8
};

// A figure: the screen area it is painted in, the point the game draws it at,
// and the painter, which draws in screen coordinates with round line joins;
// the painting is grained afterwards with the figure's own seed.
struct HeadFigure {
    Rect area;
    int anchorX, anchorY;
    void (*paint)(Canvas& c, const HeadPose& pose);
    // The second overlay lies inside the eye overlays (a blink): it repeats
    // overlay 4 there, which is all the sheriff's comment ever shows.
    bool secondInEyes;
    uint32_t grainSeed;
};

// The twelve graphics of a talking-head bank, or none (with a message on
// stderr) when the poses do not cut cleanly.
std::vector<Picture> BuildHeadBank(const HeadFigure& figure);

// The pieces a bank is cut with, for figures whose banks are laid out
// otherwise (the partner's).

// A box of a painting's pixels, inclusive; empty when x1 < x0.
struct PixelBox {
    int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
    bool Empty() const { return x1 < x0; }
    void Add(int x, int y);
    void Add(const PixelBox& b);
    bool Meets(const PixelBox& b) const;
};
// One pose painted over the figure's area and turned into palette indices.
Picture PaintPose(const HeadFigure& figure, const HeadPose& pose);
// Where two paintings of a figure differ, widened so that a cut's edge repeats
// the figure exactly and no seam can show.
PixelBox Changed(const Picture& a, const Picture& b);
// The box round every pixel a painting covers.
PixelBox Covered(const Picture& p);
// The box of a painting as a graphic placed relative to the figure's anchor.
Picture Cut(const HeadFigure& figure, const Picture& p, const PixelBox& b);

// A character's eyes and brows in one pose: how far the brows rise, and how
// far they draw down into a frown.
struct EyePose {
    EyeLook eyes;
    double browLift, browFrown;
};
// A character's eye poses, one for each of Eyes in its order.
using EyePoses = std::array<EyePose, 4>;
inline const EyePose& PoseOf(const EyePoses& poses, Eyes e) {
    return poses[static_cast<size_t>(e)];
}

// The two characters (heads_warden.cpp, heads_sheriff.cpp).
extern const HeadFigure kWarden;
extern const HeadFigure kSheriff;
