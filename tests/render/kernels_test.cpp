// Every packed kernel against its plain twin: every drawing function on random images,
// positions, clip rectangles, levels and alphas, and textures whose fourth bytes (copied from
// the file as they are) give every coverage class and its boundaries, with the plain kernels
// switched on for the reference run; and all those frames against one pinned digest
// (MT_HASH_PRINT=1 prints it after a deliberate change).
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "tests/render/render_test_support.h"

namespace {

class KernelTest : public RenderTest {
protected:
    std::mt19937 random{12345};
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    // Random words with many colour keys, near-keys, and bytes at the ends of their range.
    std::uint32_t word() {
        const std::uint32_t special[] = {colourKey, colourKey ^ (1u << number(0, 31)), 0xFFFFFFFFu, 0};
        int pick = number(0, 7);
        return pick < 4 ? special[pick] : static_cast<std::uint32_t>(random());
    }
    // Draws with both kernel sets from the same random frame and clip and compares every pixel.
    void compareFrames(const std::function<void()>& draw) {
        for (std::uint32_t& pixel : target->pixels) pixel = word();
        setClipRect(number(-50, 450), number(-50, 350), number(-50, 450), number(-50, 350));
        if (number(0, 9) == 0) resetClipRect();
        const DrawContext saved = drawContext;
        const auto start = std::make_unique<FrameBuffer>(*target), expected = std::make_unique<FrameBuffer>();
        Colour colour[2];
        for (int packed : {0, 1}) {
            if (packed) *expected = *target;
            *target = *start, drawContext = saved, renderPaths.referenceOnly = !packed;
            draw(), colour[packed] = drawContext.drawColour;
        }
        ASSERT_EQ(colour[0], colour[1]);
        auto mismatch = std::mismatch(target->pixels, target->pixels + kFramePixels, expected->pixels).first;
        ASSERT_EQ(mismatch, target->pixels + kFramePixels) << "pixel " << mismatch - target->pixels;
        std::uint64_t sum = 0;  // odd weights: any one changed pixel changes the sum
        for (int i = 0; i < kFramePixels; ++i) sum += target->pixels[i] * (2ull * i + 1);
        digest = (digest ^ sum) * 0x100000001b3ull;
    }
    // Every compared frame, folded: a fault that both kernel sets share (clipping, the image's
    // own bounds, a rule both follow) changes it.
    std::uint64_t digest = 0xcbf29ce484222325ull;
};

// One round per drawing function in turn: the ten blits, a filled and an outlined rectangle,
// a grab (whose output is the image, so both runs start from equal copies) and the three quads,
// whose spans go to the packed kernels by width, or in every other quad round at every width.
TEST_F(KernelTest, EveryDrawingFunctionMatchesOnRandomInput) {
    std::vector<std::uint32_t> texels(kTxmSize * kTxmSize);
    for (std::uint32_t& t : texels) t = number(0, 2) == 0 ? colourKey : word();
    loadTxm(texture.get(), texels);
    for (int round = 0; round < 640; ++round) {
        int w = number(0, 3) ? number(1, 450) : number(1, 8),
            h = number(0, 3) ? number(1, 350) : number(1, 8);
        ImagePtr image(createPixelBuffer(w, h)), copy(createPixelBuffer(w, h));
        std::generate_n(image->pixels(), w * h, [&] { return word(); });
        std::copy_n(image->pixels(), w * h, copy->pixels());
        int x = number(-w - 10, 410), y = number(-h - 10, 310), pick = number(0, 5);
        int amount = pick == 0 ? number(-300, 0) : pick == 1 ? number(256, 600) : number(1, 255);
        int c[16], reach = number(0, 150), cx = number(-50, 450), cy = number(-50, 350);
        for (int i = 0; i < 16; ++i)
            c[i] = i >= 8 ? number(0, 127) : (i % 2 ? cy : cx) + number(-reach, reach);
        int op = round % 16;
        drawContext.drawColour = word(), renderPaths.packedSpansOnly = round % 32 >= 16;
        compareFrames([&] {
            if (op < kBlits) kAllBlits[op](x, y, image.get(), amount);
            if (op == 10) fillRect(x, y, x + w, y + h);
            if (op == 11) drawRectOutline(x, y, x + w, y + h);
            if (op == 12) grabRect(x, y, renderPaths.referenceOnly ? copy.get() : image.get());
            if (op > 12) drawQuad(static_cast<Filler>(op - 13), c, texture.get(), amount);
        });
        ASSERT_TRUE(!HasFatalFailure() &&
                    std::equal(image->pixels(), image->pixels() + w * h, copy->pixels()))
            << "round " << round;
    }
    compareFrames([&] { clearFrameBuffer(target.get()); });
    if (std::getenv("MT_HASH_PRINT")) std::printf("0x%016llxull\n", static_cast<unsigned long long>(digest));
    EXPECT_EQ(digest, 0x86223469fb374e50ull);
}

}  // namespace
