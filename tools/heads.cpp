#include "heads.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

namespace {

constexpr int kDither = 6;
constexpr int kMargin = 2;  // how far a cut reaches past the pixels its poses change

bool Opaque(const Picture& p) {
    return std::find(p.pixels.begin(), p.pixels.end(), 0) == p.pixels.end();
}

}  // namespace

void PixelBox::Add(int x, int y) {
    x0 = std::min(x0, x);
    y0 = std::min(y0, y);
    x1 = std::max(x1, x);
    y1 = std::max(y1, y);
}

void PixelBox::Add(const PixelBox& b) {
    if (!b.Empty()) {
        Add(b.x0, b.y0);
        Add(b.x1, b.y1);
    }
}

bool PixelBox::Meets(const PixelBox& b) const {
    return !Empty() && !b.Empty() && x0 <= b.x1 && b.x0 <= x1 && y0 <= b.y1 && b.y0 <= y1;
}

Picture PaintPose(const HeadFigure& f, const HeadPose& pose) {
    Canvas c(f.area.w, f.area.h);
    cairo_translate(c.cr, -f.area.x, -f.area.y);
    cairo_set_line_join(c.cr, CAIRO_LINE_JOIN_ROUND);
    f.paint(c, pose);
    Grain(c, 0, 0, c.width, c.height, 0.05, 2.0, f.grainSeed);
    return Quantize(c, 0, 0, f.area.w, f.area.h, true, kDither);
}

PixelBox Changed(const Picture& a, const Picture& b) {
    PixelBox box;
    for (int y = 0; y < a.height; y++) {
        for (int x = 0; x < a.width; x++) {
            size_t i = static_cast<size_t>(y) * a.width + x;
            if (a.pixels[i] != b.pixels[i]) {
                box.Add(x, y);
            }
        }
    }
    if (!box.Empty()) {
        box.x0 = std::max(box.x0 - kMargin, 0);
        box.y0 = std::max(box.y0 - kMargin, 0);
        box.x1 = std::min(box.x1 + kMargin, a.width - 1);
        box.y1 = std::min(box.y1 + kMargin, a.height - 1);
    }
    return box;
}

PixelBox Covered(const Picture& p) {
    PixelBox box;
    for (int y = 0; y < p.height; y++) {
        for (int x = 0; x < p.width; x++) {
            if (p.pixels[static_cast<size_t>(y) * p.width + x] != 0) {
                box.Add(x, y);
            }
        }
    }
    return box;
}

Picture Cut(const HeadFigure& f, const Picture& p, const PixelBox& b) {
    Picture out;
    out.width = b.x1 - b.x0 + 1;
    out.height = b.y1 - b.y0 + 1;
    out.xoff = f.area.x + b.x0 - f.anchorX;
    out.yoff = f.area.y + b.y0 - f.anchorY;
    for (int y = b.y0; y <= b.y1; y++) {
        auto row = p.pixels.begin() + static_cast<ptrdiff_t>(y) * p.width;
        out.pixels.insert(out.pixels.end(), row + b.x0, row + b.x1 + 1);
    }
    return out;
}

std::vector<Picture> BuildHeadBank(const HeadFigure& f) {
    const HeadPose base;
    Picture head = PaintPose(f, base);
    PixelBox eyes, mouth, second;
    std::vector<Picture> eyePoses, mouthPoses;
    for (Eyes e : {Eyes::kAhead, Eyes::kAside, Eyes::kFrown, Eyes::kRaised}) {
        HeadPose pose = base;
        pose.eyes = e;
        eyePoses.push_back(e == base.eyes ? head : PaintPose(f, pose));
        eyes.Add(Changed(head, eyePoses.back()));
    }
    for (Mouth m : {Mouth::kClosed, Mouth::kOpen, Mouth::kWide}) {
        HeadPose pose = base;
        pose.mouth = m;
        mouthPoses.push_back(m == base.mouth ? head : PaintPose(f, pose));
        mouth.Add(Changed(head, mouthPoses.back()));
    }
    HeadPose blink = base;
    blink.second = true;
    Picture other = PaintPose(f, blink);
    second = Changed(head, other);
    if (eyes.Empty() || mouth.Empty() || second.Empty()) {
        std::fprintf(stderr, "a talking head whose poses do not differ\n");
        return {};
    }
    // The mouth is drawn after the eyes and the second overlay after both:
    // none may paint over another's changes (a blink repeats overlay 4).
    if (mouth.Meets(eyes) || mouth.Meets(second) || (!f.secondInEyes && second.Meets(eyes))) {
        std::fprintf(stderr, "a talking head's features overlap\n");
        return {};
    }
    std::vector<Picture> bank;
    bank.push_back(Cut(f, head, Covered(head)));
    for (const Picture& p : eyePoses) {
        bank.push_back(Cut(f, p, eyes));
    }
    for (const Picture& p : mouthPoses) {
        bank.push_back(Cut(f, p, mouth));
    }
    bank.push_back(Cut(f, head, second));
    Picture unused;
    unused.width = unused.height = 1;
    unused.xoff = bank[0].xoff;
    unused.yoff = bank[0].yoff;
    unused.pixels = {0};
    bank.push_back(unused);
    bank.push_back(Cut(f, other, second));
    // Without restoring the head first, each mouth and second overlay must
    // cover the one before it completely.
    for (size_t i = 1; i < bank.size(); i++) {
        if (i != 9 && !Opaque(bank[i])) {
            std::fprintf(stderr, "talking-head graphic %zu has holes\n", i);
            return {};
        }
    }
    PixelBox rect = eyes;
    rect.Add(mouth);
    rect.Add(second);
    Picture area = Cut(f, head, rect);
    std::fill(area.pixels.begin(), area.pixels.end(), 0);
    bank.push_back(area);
    return bank;
}
