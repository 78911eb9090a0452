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

std::int32_t wrap(std::int64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }

std::int32_t wrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::int32_t wrapMul(std::int32_t a, std::int64_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
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
void walkEdge(std::int64_t x, std::int64_t y, std::int32_t u, std::int32_t v, std::int64_t major,
              std::int64_t minor, std::int64_t stepX, std::int64_t stepY, bool xMajor, std::int32_t du,
              std::int32_t dv) {
    std::int64_t err = 0;
    for (std::int64_t i = 0; i <= major; ++i) {
        recordPoint(x, y, u, v);
        if (xMajor) {
            x += stepX;
        } else {
            y += stepY;
        }
        err += minor;
        u = wrapAdd(u, du);
        v = wrapAdd(v, dv);
        if (err > major >> 1) {
            err -= major;
            if (xMajor) {
                y += stepY;
            } else {
                x += stepX;
            }
        }
    }
}

enum class Filler { opaque, add, blend };

void fillRow(std::int32_t y, Filler filler, const TextureStore* texture, int alpha) {
    const DrawContext& dc = drawContext;
    const SpanRow& row = spanTable.rows[y];
    std::int32_t xl = row.leftX;
    std::int32_t ul = row.leftU;
    std::int32_t vl = row.leftV;
    std::int64_t w = std::int64_t{row.rightX} - xl;
    std::int32_t du = 0;
    std::int32_t dv = 0;
    if (w != 0) {
        du = wrap((std::int64_t{row.rightU} - ul) / w);
        dv = wrap((std::int64_t{row.rightV} - vl) / w);
        ul = wrapAdd(ul, 0x400000);  // half a store texel, so samples round to the nearest
        vl = wrapAdd(vl, 0x400000);
    }
    if (xl < dc.clipLeft) {
        std::int64_t skipped = std::int64_t{dc.clipLeft} - xl;
        xl = dc.clipLeft;
        w -= skipped;
        ul = wrapAdd(ul, wrapMul(du, skipped));
        vl = wrapAdd(vl, wrapMul(dv, skipped));
    }
    if (row.rightX > dc.clipRight) {
        w -= std::int64_t{row.rightX} - dc.clipRight;
    }
    if (w < 0) {
        return;
    }
    SpanWalk walk{texture->texels, static_cast<std::uint32_t>(ul), static_cast<std::uint32_t>(vl),
                  static_cast<std::uint32_t>(du), static_cast<std::uint32_t>(dv)};
    std::uint32_t* dst = targetRow(y) + xl;
    int count = static_cast<int>(w + 1);
    bool plain = renderPaths.referenceOnly;
    switch (filler) {
        case Filler::opaque: (plain ? ref::texSpan : fast::texSpan)(dst, count, walk); break;
        case Filler::add: (plain ? ref::texSpanAdd : fast::texSpanAdd)(dst, count, walk); break;
        case Filler::blend: (plain ? ref::texSpanBlend : fast::texSpanBlend)(dst, count, walk, alpha); break;
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
        drawEdge(quad.x[i], quad.y[i], fixed(quad.u[i]), fixed(quad.v[i]), quad.x[j], quad.y[j], fixed(quad.u[j]),
                 fixed(quad.v[j]));
    }
    for (std::int32_t y = minY; y <= maxY; ++y) {
        if (spanTable.rows[y].leftX <= dc.clipRight && spanTable.rows[y].rightX >= dc.clipLeft) {
            fillRow(y, filler, texture, alpha);
        }
    }
}

}  // namespace

void drawEdge(std::int32_t xa, std::int32_t ya, std::int32_t ua, std::int32_t va, std::int32_t xb, std::int32_t yb,
              std::int32_t ub, std::int32_t vb) {
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
    std::int32_t du = major == 0 ? 0 : wrap((std::int64_t{ub} - ua) / major);
    std::int32_t dv = major == 0 ? 0 : wrap((std::int64_t{vb} - va) / major);
    walkEdge(xa, ya, ua, va, major, xMajor ? dy : dx, stepX, stepY, xMajor, du, dv);
}

void drawTexQuad(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                 std::int32_t x3, std::int32_t y3, std::int32_t u0, std::int32_t v0, std::int32_t u1, std::int32_t v1,
                 std::int32_t u2, std::int32_t v2, std::int32_t u3, std::int32_t v3, const TextureStore* texture) {
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
