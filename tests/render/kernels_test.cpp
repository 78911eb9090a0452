// Every packed kernel against its plain twin: row by row on random rows of every length and
// alignment, and through the whole drawing functions on random images, positions, clip
// rectangles, levels and alphas, with the plain kernels switched on for the reference run.
#include <functional>
#include <vector>

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
    std::vector<std::uint32_t> words(int count) {
        std::vector<std::uint32_t> result(static_cast<std::size_t>(count));
        for (std::uint32_t& w : result) w = word();
        return result;
    }
    // Runs the plain and the packed variant of one row kernel on equal copies and compares.
    using RowRun = std::function<void(bool, std::uint32_t*, const std::uint32_t*, int)>;
    void compareRows(const char* name, const RowRun& run) {
        for (int round = 0; round < 400; ++round) {
            int count = number(0, 70);
            int offset = number(0, 3);  // any alignment of both rows
            auto src = words(count + 4);
            auto plain = words(count + 8);
            auto packed = plain;
            run(false, plain.data() + offset, src.data() + (round & 3), count);
            run(true, packed.data() + offset, src.data() + (round & 3), count);
            ASSERT_EQ(plain, packed) << name << " round " << round << " count " << count;
        }
    }
};

#define MT_COMPARE(kernel, ...)                                                  \
    compareRows(#kernel, [=](bool f, auto* d, [[maybe_unused]] auto* s, int n) { \
        (f ? fast::kernel : ref::kernel)(__VA_ARGS__);                           \
    })

TEST_F(KernelTest, RowKernelsMatchThePlainRules) {
    MT_COMPARE(copyRow, d, s, n);
    MT_COMPARE(keyedRow, d, s, n);
    MT_COMPARE(addRow, d, s, n);
    MT_COMPARE(subtractRow, d, s, n);
    MT_COMPARE(subtractAllRow, d, s, n);
    MT_COMPARE(clearWords, d, n);
    std::uint32_t colour = word();
    MT_COMPARE(fillRow, d, n, colour);
    MT_COMPARE(silhouetteRow, d, s, n, colour);
    for (int level : {1, 2, 127, 128, 129, 254, 255}) {
        MT_COMPARE(dimRow, d, s, n, level);
        MT_COMPARE(blendRow, d, s, n, level);
        MT_COMPARE(keyedDimRow, d, s, n, level);
        MT_COMPARE(keyedBlendRow, d, s, n, level);
    }
}

TEST_F(KernelTest, SpanKernelsMatchThePlainRules) {
    // Every coverage class with the class bits the loader can produce; and since a file's fourth
    // bytes are copied as they are, the class boundaries themselves and wholly random words.
    static constexpr std::uint32_t boundaries[] = {0x7FFFFFFFu, 0x80000000u, 0x8FFFFFFFu, 0x90000000u,
                                                   0x9FFFFFFFu, 0xA0000000u, 0xAFFFFFFFu, 0xB0000000u,
                                                   0xFFFFFFFFu, 0x80FF00FEu, 0x00FF00FFu};
    auto store = std::make_unique<TextureStore>();
    for (std::uint32_t& t : store->texels) {
        auto r = static_cast<std::uint32_t>(random());
        const std::uint32_t choices[] = {r & 0x00FFFFFFu,
                                         kTransparentTexel,
                                         (r & 0x00FCFCFCu) | kQuarterFlag,
                                         (r & 0x00FEFEFEu) | kHalfFlag,
                                         (3u * (r & 0x00FCFCFCu)) | kThreeQuarterFlag,
                                         boundaries[number(0, 10)],
                                         r};
        t = choices[number(0, 6)];
    }
    for (int round = 0; round < 3000; ++round) {
        auto step = [&] { return static_cast<std::uint32_t>(number(-(1 << 25), 1 << 25)); };
        SpanWalk walk{store->texels, static_cast<std::uint32_t>(random()),
                      static_cast<std::uint32_t>(random()), step(), step()};
        int count = number(1, 60);
        int alpha = number(0, 255);
        auto plain = words(count);
        auto packed = plain;
        if (round % 3 == 0) {
            ref::texSpan(plain.data(), count, walk), fast::texSpan(packed.data(), count, walk);
        } else if (round % 3 == 1) {
            ref::texSpanAdd(plain.data(), count, walk), fast::texSpanAdd(packed.data(), count, walk);
        } else {
            ref::texSpanBlend(plain.data(), count, walk, alpha);
            fast::texSpanBlend(packed.data(), count, walk, alpha);
        }
        ASSERT_EQ(plain, packed) << "round " << round;
    }
}

class WholeOperationTest : public KernelTest {
protected:
    // Draws with both kernel sets from the same random frame and clip and compares every pixel.
    void compareFrames(const std::function<void()>& draw) {
        for (std::uint32_t& pixel : target->pixels) pixel = word();
        number(0, 9) == 0
            ? resetClipRect()
            : setClipRect(number(-50, 450), number(-50, 350), number(-50, 450), number(-50, 350));
        DrawContext saved = drawContext;
        auto start = std::make_unique<FrameBuffer>(*target);
        renderPaths.referenceOnly = true;
        draw();
        auto expected = std::make_unique<FrameBuffer>(*target);
        Colour expectedColour = drawContext.drawColour;
        *target = *start;
        drawContext = saved;
        renderPaths.referenceOnly = false;
        draw();
        ASSERT_EQ(drawContext.drawColour, expectedColour);
        auto [mismatch, other] =
            std::mismatch(target->pixels, target->pixels + kFramePixels, expected->pixels);
        ASSERT_EQ(mismatch, target->pixels + kFramePixels) << "pixel " << mismatch - target->pixels;
    }
    ImagePtr randomImage() {
        int width = number(0, 3) == 0 ? number(1, 8) : number(1, 450);
        int height = number(0, 3) == 0 ? number(1, 8) : number(1, 350);
        ImagePtr image(createPixelBuffer(width, height));
        std::generate_n(image->pixels(), width * height, [&] { return word(); });
        return image;
    }
};

// One round per drawing function in turn: the ten blits, a filled and an outlined rectangle,
// a grab (whose output is the image, so both runs start from equal copies) and the three quads,
// whose spans go to the packed kernels by width, or in every other quad round at every width.
TEST_F(WholeOperationTest, EveryDrawingFunctionMatchesOnRandomInput) {
    auto store = std::make_unique<TextureStore>();
    std::vector<std::uint32_t> texels(kTxmSize * kTxmSize);
    for (std::uint32_t& t : texels)
        t = number(0, 2) == 0 ? colourKey : static_cast<std::uint32_t>(random()) & 0xFFFFFFu;
    loadTxm(store.get(), texels);
    for (int round = 0; round < 480; ++round) {
        ImagePtr image = randomImage();
        ImagePtr copy(createPixelBuffer(image->width, image->height));
        std::copy_n(image->pixels(), image->width * image->height, copy->pixels());
        int x = number(-image->width - 10, 410), y = number(-image->height - 10, 310), pick = number(0, 5);
        int amount = pick == 0 ? number(-300, 0) : pick == 1 ? number(256, 600) : number(1, 255);
        int c[16], reach = number(0, 150), cx = number(-50, 450), cy = number(-50, 350);
        for (int i = 0; i < 4; ++i) {
            c[2 * i] = cx + number(-reach, reach);
            c[2 * i + 1] = cy + number(-reach, reach);
            c[8 + 2 * i] = number(0, 127);
            c[9 + 2 * i] = number(0, 127);
        }
        drawContext.drawColour = word();
        int op = round % 16, w = image->width, h = image->height;
        renderPaths.packedSpansOnly = round % 32 >= 16;
        compareFrames([&] {
            if (op < kBlits) kAllBlits[op](x, y, image.get(), amount);
            if (op == 10) fillRect(x, y, x + w, y + h);
            if (op == 11) drawRectOutline(x, y, x + w, y + h);
            if (op == 12) grabRect(x, y, renderPaths.referenceOnly ? copy.get() : image.get());
            if (op > 12) drawQuad(static_cast<Filler>(op - 13), c, store.get(), amount);
        });
        ASSERT_FALSE(HasFatalFailure()) << "round " << round;
        ASSERT_TRUE(std::equal(image->pixels(), image->pixels() + w * h, copy->pixels()))
            << "round " << round;
    }
    compareFrames([&] { clearFrameBuffer(target.get()); });
}

}  // namespace
