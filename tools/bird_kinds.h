#pragma once
// The four ducks of the hunt as small 3D models: their shapes (in
// centimetres, roughly as in life) and the colours of each part by species
// and sex.
#include "bird_model.h"

enum Species { kMallard, kPintail, kRedhead, kCanvasback, kSpeciesCount };
enum Sex { kHen, kDrake };

// The parts a bird is built from, as the paint callback sees them.
enum Part { kBody, kNeck, kHead, kBill, kTail, kWing };

// One species and sex: semi-axes and places in the bird's frame (x forward,
// y up, z to its left), centimetres.
struct Build {
    Vec3 body;         // semi-axes of the body
    Vec3 head;         // semi-axes of the head
    Vec3 headCentre;   // where the neck carries the head in flight
    double headPitch;  // degrees, nose up; the canvasback's wedge slopes down
    Vec3 bill;         // semi-axes: length, depth, width
    double billPitch;
    double billRise;           // the bill set up the face, in head heights
    double neckBase, neckTop;  // radii
    double tailLength, tailWidth;
    double wingSpan, wingChord;  // one wing, shoulder to tip
};

// How each kind is built; sizes relative to each other as in life.
const Build& BuildOf(int species, int sex);

// What the paint callback needs: who is drawn and where the neck runs now.
struct Look {
    int species;
    int sex;
    Vec3 neckFrom, neckTo;
    bool silhouette;  // a far bird: one dark tone
    bool decoy;       // carved and painted: plainer, a little glossy
};

// The colour of a point of a bird (a PaintFn; `context` is a Look).
Paint PaintBird(const void* context, const Surfel& s);
