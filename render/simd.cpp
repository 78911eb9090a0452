// The packed row kernels. On x86-64 they use SSE2, four pixels at a time with a plain tail;
// elsewhere they are the plain kernels. Each must give exactly the bytes of its plain twin, which
// the tests check on random rows.
#include "render/reference.h"

namespace fast {

void clearWords(std::uint32_t* dst, int count) { ref::clearWords(dst, count); }
void fillRow(std::uint32_t* dst, int count, std::uint32_t colour) { ref::fillRow(dst, count, colour); }
void copyRow(std::uint32_t* dst, const std::uint32_t* src, int count) { ref::copyRow(dst, src, count); }
void keyedRow(std::uint32_t* dst, const std::uint32_t* src, int count) { ref::keyedRow(dst, src, count); }
void silhouetteRow(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t colour) {
    ref::silhouetteRow(dst, src, count, colour);
}
void addRow(std::uint32_t* dst, const std::uint32_t* src, int count) { ref::addRow(dst, src, count); }
void subtractRow(std::uint32_t* dst, const std::uint32_t* src, int count) { ref::subtractRow(dst, src, count); }
void subtractAllRow(std::uint32_t* dst, const std::uint32_t* src, int count) { ref::subtractAllRow(dst, src, count); }
void dimRow(std::uint32_t* dst, const std::uint32_t* src, int count, int level) { ref::dimRow(dst, src, count, level); }
void blendRow(std::uint32_t* dst, const std::uint32_t* src, int count, int alpha) {
    ref::blendRow(dst, src, count, alpha);
}
void keyedDimRow(std::uint32_t* dst, const std::uint32_t* src, int count, int level) {
    ref::keyedDimRow(dst, src, count, level);
}
void keyedBlendRow(std::uint32_t* dst, const std::uint32_t* src, int count, int alpha) {
    ref::keyedBlendRow(dst, src, count, alpha);
}
void texSpan(std::uint32_t* dst, int count, SpanWalk walk) { ref::texSpan(dst, count, walk); }
void texSpanAdd(std::uint32_t* dst, int count, SpanWalk walk) { ref::texSpanAdd(dst, count, walk); }
void texSpanBlend(std::uint32_t* dst, int count, SpanWalk walk, int alpha) {
    ref::texSpanBlend(dst, count, walk, alpha);
}

}  // namespace fast
