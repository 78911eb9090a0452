// Textured quads: the four edges are walked into a per-row span table, then each row's span is
// filled by one of three span kernels (opaque with coverage, additive, alpha-blended). Texture
// coordinates are 8.24 fixed point in source texels and are stepped with wrap-around unsigned
// arithmetic, so even coordinates no caller passes stay defined.
#include "render/reference.h"
#include "render/texture.h"

SpanTable spanTable{};

namespace {

constexpr std::int32_t kNoLeft = 1000000000;
constexpr std::int32_t kNoRight = -1000000000;

// Texture coordinates step with wrap-around 32-bit arithmetic.
std::uint32_t bits(std::int64_t value) {
    return static_cast<std::uint32_t>(value);
}

// Division truncating toward zero. Every quad on the screen has steps whose terms fit 32 bits,
// and the 32-bit divide costs a fraction of the 64-bit one, which dominated small quads.
std::uint32_t divide(std::int64_t numerator, std::int64_t denominator) {
    bool narrow = numerator > INT32_MIN && numerator <= INT32_MAX && denominator > INT32_MIN &&
                  denominator <= INT32_MAX;
    if (narrow) {
        return bits(static_cast<std::int32_t>(numerator) / static_cast<std::int32_t>(denominator));
    }
    return bits(numerator / denominator);
}

std::int32_t fixed(std::int32_t texelCoordinate) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(texelCoordinate) << 24);
}

void recordPoint(std::int64_t x, std::int64_t y, std::int32_t u, std::int32_t v) {
    if (y < drawContext.clipTop || y > drawContext.clipBottom) {
        return;
    }
    SpanRow& row = spanTable.rows[y];
    if (x < row.leftX) {
        row.leftX = static_cast<std::int32_t>(x);
        row.leftU = u;
        row.leftV = v;
    }
    if (x > row.rightX) {
        row.rightX = static_cast<std::int32_t>(x);
        row.rightU = u;
        row.rightV = v;
    }
}

// One Bresenham walk along the major axis; minor steps when the error passes half the length.
struct EdgeWalk {
    std::int64_t x = 0, y = 0;
    std::uint32_t u = 0, v = 0;
    std::int64_t major = 0, minor = 0, stepX = 1, stepY = 1;
    bool xMajor = true;
    std::uint32_t du = 0, dv = 0;
};

void walkEdge(EdgeWalk e) {
    std::int64_t err = 0;
    for (std::int64_t i = 0; i <= e.major; ++i) {
        recordPoint(e.x, e.y, static_cast<std::int32_t>(e.u), static_cast<std::int32_t>(e.v));
        if (e.xMajor) {
            e.x += e.stepX;
        } else {
            e.y += e.stepY;
        }
        err += e.minor;
        e.u += e.du;
        e.v += e.dv;
        if (err > e.major >> 1) {
            err -= e.major;
            if (e.xMajor) {
                e.y += e.stepY;
            } else {
                e.x += e.stepX;
            }
        }
    }
}

enum class Filler { opaque, add, blend };

// The narrowest span each filler gives to the packed kernels. On narrower spans, bean-sized
// quads above all, gathering texels four at a time and the overlapping last block cost more
// than the packed arithmetic saves (a 10 x 10 bean: add 413 against 453 ns, blend 406 against
// 534 ns); bench_render's quad benchmarks time both. The opaque filler's packed kernel is the
// plain one.
constexpr int kPackedSpansFrom[] = {0, 13, 18};

// One row's span, moved past the part left of the clip rectangle: first pixel, pixels after
// it (negative when nothing is left) and the walk of its samples.
struct Span {
    std::int32_t left = 0;
    std::int64_t width = 0;
    SpanWalk walk;
};

Span clipSpan(const SpanRow& row, const std::uint32_t* texels) {
    const DrawContext& dc = drawContext;
    Span span{
        row.leftX, std::int64_t{row.rightX} - row.leftX, {texels, bits(row.leftU), bits(row.leftV), 0, 0}};
    if (span.width != 0) {
        span.walk.du = divide(std::int64_t{row.rightU} - row.leftU, span.width);
        span.walk.dv = divide(std::int64_t{row.rightV} - row.leftV, span.width);
        span.walk.u += 0x400000u;  // half a store texel, so samples round to the nearest
        span.walk.v += 0x400000u;
    }
    if (span.left < dc.clipLeft) {
        std::int64_t skipped = std::int64_t{dc.clipLeft} - span.left;
        span.left = dc.clipLeft;
        span.width -= skipped;
        span.walk.u += span.walk.du * bits(skipped);
        span.walk.v += span.walk.dv * bits(skipped);
    }
    if (row.rightX > dc.clipRight) {
        span.width -= std::int64_t{row.rightX} - dc.clipRight;
    }
    return span;
}

void fillRow(std::int32_t y, Filler filler, const TextureStore* texture, int alpha) {
    Span span = clipSpan(spanTable.rows[y], texture->texels);
    if (span.width < 0) {
        return;
    }
    std::uint32_t* dst = targetRow(y) + span.left;
    int count = static_cast<int>(span.width + 1);
    bool plain = renderPaths.referenceOnly ||
                 (!renderPaths.packedSpansOnly && count < kPackedSpansFrom[static_cast<int>(filler)]);
    switch (filler) {
        case Filler::opaque: (plain ? ref::texSpan : fast::texSpan)(dst, count, span.walk); break;
        case Filler::add: (plain ? ref::texSpanAdd : fast::texSpanAdd)(dst, count, span.walk); break;
        case Filler::blend:
            (plain ? ref::texSpanBlend : fast::texSpanBlend)(dst, count, span.walk, alpha);
            break;
    }
}

struct Quad {
    std::int32_t x[4];
    std::int32_t y[4];
    std::int32_t u[4];
    std::int32_t v[4];
};

void drawQuad(const Quad& quad, const TextureStore* texture, Filler filler, int alpha) {
    const DrawContext& dc = drawContext;
    if (texture == nullptr) {
        return;
    }
    std::int32_t minY = quad.y[0], maxY = quad.y[0], minX = quad.x[0], maxX = quad.x[0];
    for (int i = 1; i < 4; ++i) {
        minY = quad.y[i] < minY ? quad.y[i] : minY;
        maxY = quad.y[i] > maxY ? quad.y[i] : maxY;
        minX = quad.x[i] < minX ? quad.x[i] : minX;
        maxX = quad.x[i] > maxX ? quad.x[i] : maxX;
    }
    if (maxY < dc.clipTop || minY > dc.clipBottom || maxX < dc.clipLeft || minX > dc.clipRight) {
        return;
    }
    minY = minY < dc.clipTop ? dc.clipTop : minY;
    maxY = maxY > dc.clipBottom ? dc.clipBottom : maxY;
    for (std::int32_t y = minY; y <= maxY; ++y) {
        spanTable.rows[y].leftX = kNoLeft;
        spanTable.rows[y].rightX = kNoRight;
    }
    for (int i = 0; i < 4; ++i) {
        int j = (i + 1) & 3;
        drawEdge(quad.x[i], quad.y[i], fixed(quad.u[i]), fixed(quad.v[i]), quad.x[j], quad.y[j],
                 fixed(quad.u[j]), fixed(quad.v[j]));
    }
    for (std::int32_t y = minY; y <= maxY; ++y) {
        if (spanTable.rows[y].leftX <= dc.clipRight && spanTable.rows[y].rightX >= dc.clipLeft) {
            fillRow(y, filler, texture, alpha);
        }
    }
}

}  // namespace

void drawEdge(std::int32_t xa, std::int32_t ya, std::int32_t ua, std::int32_t va, std::int32_t xb,
              std::int32_t yb, std::int32_t ub, std::int32_t vb) {
    if (ya == yb && ya >= drawContext.clipTop && ya <= drawContext.clipBottom) {
        recordPoint(xa, ya, ua, va);
        recordPoint(xb, yb, ub, vb);
        return;
    }
    std::int64_t dx = std::int64_t{xb} - xa;
    std::int64_t dy = std::int64_t{yb} - ya;
    std::int64_t stepX = dx < 0 ? -1 : 1;
    std::int64_t stepY = dy < 0 ? -1 : 1;
    dx = dx < 0 ? -dx : dx;
    dy = dy < 0 ? -dy : dy;
    bool xMajor = dx >= dy;
    std::int64_t major = xMajor ? dx : dy;
    std::uint32_t du = major == 0 ? 0 : divide(std::int64_t{ub} - ua, major);
    std::uint32_t dv = major == 0 ? 0 : divide(std::int64_t{vb} - va, major);
    walkEdge({xa, ya, bits(ua), bits(va), major, xMajor ? dy : dx, stepX, stepY, xMajor, du, dv});
}

void drawTexQuad(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                 std::int32_t y2, std::int32_t x3, std::int32_t y3, std::int32_t u0, std::int32_t v0,
                 std::int32_t u1, std::int32_t v1, std::int32_t u2, std::int32_t v2, std::int32_t u3,
                 std::int32_t v3, const TextureStore* texture) {
    Quad quad{{x0, x1, x2, x3}, {y0, y1, y2, y3}, {u0, u1, u2, u3}, {v0, v1, v2, v3}};
    drawQuad(quad, texture, Filler::opaque, 0);
}

void drawTexQuadAdd(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                    std::int32_t y2, std::int32_t x3, std::int32_t y3, std::int32_t u0, std::int32_t v0,
                    std::int32_t u1, std::int32_t v1, std::int32_t u2, std::int32_t v2, std::int32_t u3,
                    std::int32_t v3, const TextureStore* texture) {
    Quad quad{{x0, x1, x2, x3}, {y0, y1, y2, y3}, {u0, u1, u2, u3}, {v0, v1, v2, v3}};
    drawQuad(quad, texture, Filler::add, 0);
}

void drawTexQuadBlend(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                      std::int32_t y2, std::int32_t x3, std::int32_t y3, std::int32_t u0, std::int32_t v0,
                      std::int32_t u1, std::int32_t v1, std::int32_t u2, std::int32_t v2, std::int32_t u3,
                      std::int32_t v3, const TextureStore* texture, std::int32_t alpha) {
    alpha = alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha);
    Quad quad{{x0, x1, x2, x3}, {y0, y1, y2, y3}, {u0, u1, u2, u3}, {v0, v1, v2, v3}};
    drawQuad(quad, texture, Filler::blend, alpha);
}
