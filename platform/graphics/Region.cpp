#include "platform/graphics/Region.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace platform {

namespace {

struct Span {
    LONG left, right;
    friend bool operator==(const Span&, const Span&) = default;
};

LONG Saturate(std::int64_t v)
{
    if (v < std::numeric_limits<LONG>::min())
        return std::numeric_limits<LONG>::min();
    if (v > std::numeric_limits<LONG>::max())
        return std::numeric_limits<LONG>::max();
    return LONG(v);
}

// Appends one band, keeping the canonical form: a band whose spans equal those of the band just
// above it, touching it, extends that band instead, so equal pixel sets have equal rectangles.
class BandWriter {
public:
    explicit BandWriter(std::vector<RECT>& out) : out_(out) {}

    void Add(LONG top, LONG bottom, const std::vector<Span>& spans)
    {
        if (spans.empty() || bottom <= top)
            return;
        if (lastBandSize_ == spans.size() && lastBottom_ == top) {
            std::size_t start = out_.size() - lastBandSize_;
            bool same = true;
            for (std::size_t i = 0; i < spans.size() && same; ++i)
                same = out_[start + i].left == spans[i].left && out_[start + i].right == spans[i].right;
            if (same) {
                for (std::size_t i = start; i < out_.size(); ++i)
                    out_[i].bottom = bottom;
                lastBottom_ = bottom;
                return;
            }
        }
        for (const Span& s : spans)
            out_.push_back(RECT{s.left, top, s.right, bottom});
        lastBandSize_ = spans.size();
        lastBottom_ = bottom;
    }

private:
    std::vector<RECT>& out_;
    std::size_t lastBandSize_ = 0;
    LONG lastBottom_ = 0;
};

// Walks the bands of a banded rectangle list from the top.
class BandCursor {
public:
    explicit BandCursor(const std::vector<RECT>& rects) : rects_(rects) {}

    // The spans of the band covering row y (empty when none does); y must not decrease between calls.
    void SpansAt(LONG y, std::vector<Span>& spans)
    {
        spans.clear();
        while (index_ < rects_.size() && rects_[index_].bottom <= y)
            index_ = BandEnd(index_);
        if (index_ >= rects_.size() || rects_[index_].top > y)
            return;
        for (std::size_t i = index_, end = BandEnd(index_); i < end; ++i)
            spans.push_back(Span{rects_[i].left, rects_[i].right});
    }

private:
    std::size_t BandEnd(std::size_t i) const
    {
        LONG top = rects_[i].top;
        while (i < rects_.size() && rects_[i].top == top)
            ++i;
        return i;
    }

    const std::vector<RECT>& rects_;
    std::size_t index_ = 0;
};

bool Keep(RegionCombine mode, bool inA, bool inB)
{
    switch (mode) {
    case RGN_AND: return inA && inB;
    case RGN_OR: return inA || inB;
    case RGN_XOR: return inA != inB;
    case RGN_DIFF: return inA && !inB;
    default: return inA;
    }
}

// Combines two sorted, disjoint span lists by sweeping their edges.
void CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, RegionCombine mode, std::vector<Span>& out)
{
    out.clear();
    std::size_t ia = 0, ib = 0;
    bool inA = false, inB = false, inOut = false;
    LONG start = 0;
    while (ia < a.size() || ib < b.size()) {
        LONG xa = ia < a.size() ? (inA ? a[ia].right : a[ia].left) : std::numeric_limits<LONG>::max();
        LONG xb = ib < b.size() ? (inB ? b[ib].right : b[ib].left) : std::numeric_limits<LONG>::max();
        LONG x = std::min(xa, xb);
        if (ia < a.size() && xa == x) {
            if (inA)
                ++ia;
            inA = !inA;
        }
        if (ib < b.size() && xb == x) {
            if (inB)
                ++ib;
            inB = !inB;
        }
        bool keep = Keep(mode, inA, inB);
        if (keep && !inOut) {
            start = x;
        } else if (!keep && inOut) {
            if (!out.empty() && out.back().right == start)
                out.back().right = x;
            else
                out.push_back(Span{start, x});
        }
        inOut = keep;
    }
}

std::vector<LONG> EdgesOf(const std::vector<RECT>& a, const std::vector<RECT>& b)
{
    std::vector<LONG> ys;
    ys.reserve(2 * (a.size() + b.size()));
    for (const RECT& r : a) {
        ys.push_back(r.top);
        ys.push_back(r.bottom);
    }
    for (const RECT& r : b) {
        ys.push_back(r.top);
        ys.push_back(r.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    return ys;
}

std::vector<RECT> Combine(const std::vector<RECT>& a, const std::vector<RECT>& b, RegionCombine mode)
{
    std::vector<RECT> out;
    std::vector<LONG> ys = EdgesOf(a, b);
    BandCursor ca(a), cb(b);
    std::vector<Span> sa, sb, so;
    BandWriter writer(out);
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        ca.SpansAt(ys[i], sa);
        cb.SpansAt(ys[i], sb);
        CombineSpans(sa, sb, mode, so);
        writer.Add(ys[i], ys[i + 1], so);
    }
    return out;
}

} // namespace

Region::Region(const RECT& r)
{
    if (!r.IsEmpty())
        rects_.push_back(r);
}

Region Region::FromRects(const std::vector<RECT>& rects)
{
    std::vector<RECT> input;
    input.reserve(rects.size());
    for (const RECT& r : rects)
        if (!r.IsEmpty())
            input.push_back(r);
    std::sort(input.begin(), input.end(), [](const RECT& p, const RECT& q) { return p.top < q.top; });
    std::vector<LONG> ys = EdgesOf(input, {});

    // Sweep downwards keeping the rectangles that cover the current band.
    std::vector<RECT> out;
    BandWriter writer(out);
    std::vector<RECT> active;
    std::vector<Span> spans;
    std::size_t next = 0;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        LONG y = ys[i];
        std::erase_if(active, [y](const RECT& r) { return r.bottom <= y; });
        while (next < input.size() && input[next].top <= y)
            active.push_back(input[next++]);
        std::sort(active.begin(), active.end(), [](const RECT& p, const RECT& q) { return p.left < q.left; });
        spans.clear();
        for (const RECT& r : active) {
            if (!spans.empty() && r.left <= spans.back().right)
                spans.back().right = std::max(spans.back().right, r.right);
            else
                spans.push_back(Span{r.left, r.right});
        }
        writer.Add(y, ys[i + 1], spans);
    }
    return FromBanded(std::move(out));
}

Region Region::RoundRect(const RECT& r, int ellipseWidth, int ellipseHeight)
{
    if (r.IsEmpty())
        return Region();
    // Corners beyond this size would mean one rectangle per row over an absurd height.
    constexpr std::int64_t MaxCorner = 1 << 16;
    std::int64_t width = std::int64_t(r.right) - r.left, height = std::int64_t(r.bottom) - r.top;
    std::int64_t w = std::min({std::abs(std::int64_t(ellipseWidth)), width, MaxCorner});
    std::int64_t h = std::min({std::abs(std::int64_t(ellipseHeight)), height, MaxCorner});
    if (w < 2 || h < 2)
        return Region(r);

    // A pixel of a corner belongs to the region when its centre lies inside the corner ellipse.
    // In doubled coordinates relative to the ellipse's centre, with u and v the centre's offsets,
    // that is u*u*h*h + v*v*w*w <= w*w*h*h; the inset of each row follows from the largest u.
    using Wide = __int128;
    auto insetForRow = [&](std::int64_t row) -> std::int64_t {
        std::int64_t v = 2 * row + 1 - h;
        Wide rhs = Wide(w) * w * h * h - Wide(v) * v * w * w;
        if (rhs < 0)
            return -1;
        Wide hh = Wide(h) * h;
        Wide uMaxSq = rhs / hh;
        auto u = std::int64_t(std::sqrt(double(uMaxSq)));
        while (Wide(u) * u * hh > rhs)
            --u;
        while (Wide(u + 1) * (u + 1) * hh <= rhs)
            ++u;
        // The leftmost column c with |2c + 1 - w| <= u.
        return std::max<std::int64_t>(0, (w - u) / 2);
    };

    std::vector<RECT> out;
    BandWriter writer(out);
    std::vector<Span> spans;
    auto emitRow = [&](std::int64_t y, std::int64_t inset) {
        spans.clear();
        if (inset >= 0 && 2 * inset < width)
            spans.push_back(Span{LONG(r.left + inset), LONG(r.right - inset)});
        writer.Add(LONG(y), LONG(y + 1), spans);
    };
    std::int64_t topRows = h / 2, bottomRows = h - h / 2;
    for (std::int64_t i = 0; i < topRows; ++i)
        emitRow(r.top + i, insetForRow(i));
    spans.assign(1, Span{r.left, r.right});
    writer.Add(LONG(r.top + topRows), LONG(r.bottom - bottomRows), spans);
    for (std::int64_t i = h - bottomRows; i < h; ++i)
        emitRow(r.bottom - h + i, insetForRow(i));
    return FromBanded(std::move(out));
}

RECT Region::Box() const
{
    if (rects_.empty())
        return RECT{};
    RECT box{rects_.front().left, rects_.front().top, rects_.front().right, rects_.back().bottom};
    for (const RECT& r : rects_) {
        box.left = std::min(box.left, r.left);
        box.right = std::max(box.right, r.right);
    }
    return box;
}

bool Region::Contains(POINT p) const
{
    // Bands are sorted and disjoint, so bottoms increase with tops.
    auto it = std::upper_bound(rects_.begin(), rects_.end(), p.y,
                               [](LONG y, const RECT& r) { return y < r.bottom; });
    for (; it != rects_.end() && it->top <= p.y; ++it)
        if (p.x >= it->left && p.x < it->right)
            return true;
    return false;
}

bool Region::Intersects(const RECT& r) const
{
    if (r.IsEmpty())
        return false;
    auto it = std::upper_bound(rects_.begin(), rects_.end(), r.top,
                               [](LONG y, const RECT& q) { return y < q.bottom; });
    for (; it != rects_.end() && it->top < r.bottom; ++it)
        if (it->left < r.right && it->right > r.left)
            return true;
    return false;
}

RegionKind Region::Kind() const
{
    if (rects_.empty())
        return NULLREGION;
    return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

Region Region::Intersected(const Region& other) const { return FromBanded(Combine(rects_, other.rects_, RGN_AND)); }
Region Region::United(const Region& other) const { return FromBanded(Combine(rects_, other.rects_, RGN_OR)); }
Region Region::Subtracted(const Region& other) const { return FromBanded(Combine(rects_, other.rects_, RGN_DIFF)); }
Region Region::Xored(const Region& other) const { return FromBanded(Combine(rects_, other.rects_, RGN_XOR)); }

void Region::Offset(LONG dx, LONG dy)
{
    // Coordinates saturate rather than wrap; when any did, rectangles may have collapsed or come
    // to touch, so the list is rebuilt to stay canonical.
    bool saturated = false;
    auto move = [&saturated](LONG& v, LONG d) {
        std::int64_t moved = std::int64_t(v) + d;
        v = Saturate(moved);
        saturated = saturated || v != moved;
    };
    for (RECT& r : rects_) {
        move(r.left, dx);
        move(r.right, dx);
        move(r.top, dy);
        move(r.bottom, dy);
    }
    if (saturated)
        *this = FromRects(rects_);
}

Region Region::FromBanded(std::vector<RECT> rects)
{
    Region region;
    region.rects_ = std::move(rects);
    return region;
}

HRGN CreateRectRgn(LONG left, LONG top, LONG right, LONG bottom)
{
    // The platform orders the corners of a rectangle given backwards.
    return new Region(RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)});
}

HRGN CreateRectRgnIndirect(const RECT& r) { return CreateRectRgn(r.left, r.top, r.right, r.bottom); }

HRGN CreateRoundRectRgn(LONG left, LONG top, LONG right, LONG bottom, int ellipseWidth, int ellipseHeight)
{
    // As on the platform, a rounded region leaves out the right column and the bottom row of the
    // rectangle it is given.
    LONG l = std::min(left, right), r = std::max(left, right), t = std::min(top, bottom), b = std::max(top, bottom);
    if (r > l)
        --r;
    if (b > t)
        --b;
    return new Region(Region::RoundRect(RECT{l, t, r, b}, ellipseWidth, ellipseHeight));
}

void DeleteRgn(HRGN rgn) { delete rgn; }

RegionKind CombineRgn(HRGN dst, HRGN src1, HRGN src2, RegionCombine mode)
{
    if (!dst || !src1)
        return ERROR_REGION;
    switch (mode) {
    case RGN_COPY: *dst = *src1; break;
    case RGN_AND: if (!src2) return ERROR_REGION; *dst = src1->Intersected(*src2); break;
    case RGN_OR: if (!src2) return ERROR_REGION; *dst = src1->United(*src2); break;
    case RGN_XOR: if (!src2) return ERROR_REGION; *dst = src1->Xored(*src2); break;
    case RGN_DIFF: if (!src2) return ERROR_REGION; *dst = src1->Subtracted(*src2); break;
    default: return ERROR_REGION;
    }
    return dst->Kind();
}

RegionKind OffsetRgn(HRGN rgn, LONG dx, LONG dy)
{
    if (!rgn)
        return ERROR_REGION;
    rgn->Offset(dx, dy);
    return rgn->Kind();
}

bool PtInRegion(HRGN rgn, LONG x, LONG y) { return rgn && rgn->Contains(POINT{x, y}); }

RegionKind GetRgnBox(HRGN rgn, RECT* box)
{
    if (!rgn || !box)
        return ERROR_REGION;
    *box = rgn->Box();
    return rgn->Kind();
}

std::vector<RECT> GetRegionRects(HRGN rgn) { return rgn ? rgn->Rects() : std::vector<RECT>{}; }

} // namespace platform
