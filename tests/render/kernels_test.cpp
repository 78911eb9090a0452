// Every packed kernel against its plain twin: row by row on random rows of every length and
// alignment, and through the whole drawing functions on random images, positions, clip
// rectangles, levels and alphas, with the plain kernels switched on for the reference run.
#include <functional>
#include <vector>

#include "render/blit.h"
#include "render/texture.h"
#include "tests/render/render_test_support.h"

namespace {

class KernelTest : public RenderTest {
protected:
    std::mt19937 random{12345};
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    // Random words with many colour keys, near-keys, and bytes at the ends of their range.
    std::uint32_t word() {
        switch (number(0, 7)) {
            case 0:
                return colourKey;
            case 1:
                return colourKey ^ (1u << number(0, 31));
            case 2:
                return 0xFFFFFFFFu;
            case 3:
                return 0;
            default:
                return static_cast<std::uint32_t>(random());
        }
    }
    std::vector<std::uint32_t> words(int count) {
        std::vector<std::uint32_t> result(static_cast<std::size_t>(count));
        for (std::uint32_t& w : result) {
            w = word();
        }
        return result;
    }
    // Runs the plain and the packed variant of one row kernel on equal copies and compares.
    void compareRows(const char* name,
                     const std::function<void(bool, std::uint32_t*, const std::uint32_t*, int)>& run) {
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

TEST_F(KernelTest, RowKernelsMatchThePlainRules) {
    compareRows("copy", [](bool f, auto* d, auto* s, int n) { (f ? fast::copyRow : ref::copyRow)(d, s, n); });
    compareRows("keyed",
                [](bool f, auto* d, auto* s, int n) { (f ? fast::keyedRow : ref::keyedRow)(d, s, n); });
    compareRows("add", [](bool f, auto* d, auto* s, int n) { (f ? fast::addRow : ref::addRow)(d, s, n); });
    compareRows("sub",
                [](bool f, auto* d, auto* s, int n) { (f ? fast::subtractRow : ref::subtractRow)(d, s, n); });
    compareRows("suball", [](bool f, auto* d, auto* s, int n) {
        (f ? fast::subtractAllRow : ref::subtractAllRow)(d, s, n);
    });
    compareRows("clear",
                [](bool f, auto* d, auto*, int n) { (f ? fast::clearWords : ref::clearWords)(d, n); });
    std::uint32_t colour = word();
    compareRows("fill",
                [=](bool f, auto* d, auto*, int n) { (f ? fast::fillRow : ref::fillRow)(d, n, colour); });
    compareRows("silhouette", [=](bool f, auto* d, auto* s, int n) {
        (f ? fast::silhouetteRow : ref::silhouetteRow)(d, s, n, colour);
    });
    for (int level : {1, 2, 127, 128, 129, 254, 255}) {
        compareRows("dim", [=](bool f, auto* d, auto* s, int n) {
            (f ? fast::dimRow : ref::dimRow)(d, s, n, level);
        });
        compareRows("blend", [=](bool f, auto* d, auto* s, int n) {
            (f ? fast::blendRow : ref::blendRow)(d, s, n, level);
        });
        compareRows("keyeddim", [=](bool f, auto* d, auto* s, int n) {
            (f ? fast::keyedDimRow : ref::keyedDimRow)(d, s, n, level);
        });
        compareRows("keyedblend", [=](bool f, auto* d, auto* s, int n) {
            (f ? fast::keyedBlendRow : ref::keyedBlendRow)(d, s, n, level);
        });
    }
}

TEST_F(KernelTest, SpanKernelsMatchThePlainRules) {
    auto store = std::make_unique<TextureStore>();
    for (std::uint32_t& t : store->texels) {
        // Every coverage class, with the class bits the loader can produce.
        // Any word can reach a texel (a file's fourth bytes are copied as they are), so the
        // class boundaries themselves and wholly random words are in the mix too.
        static constexpr std::uint32_t boundaries[] = {0x7FFFFFFFu, 0x80000000u, 0x8FFFFFFFu, 0x90000000u,
                                                       0x9FFFFFFFu, 0xA0000000u, 0xAFFFFFFFu, 0xB0000000u,
                                                       0xFFFFFFFFu, 0x80FF00FEu, 0x00FF00FFu};
        switch (number(0, 6)) {
            case 5:
                t = boundaries[number(0, 10)];
                break;
            case 6:
                t = static_cast<std::uint32_t>(random());
                break;
            case 0:
                t = static_cast<std::uint32_t>(random()) & 0x00FFFFFFu;
                break;
            case 1:
                t = kTransparentTexel;
                break;
            case 2:
                t = (static_cast<std::uint32_t>(random()) & 0x00FCFCFCu) | kQuarterFlag;
                break;
            case 3:
                t = (static_cast<std::uint32_t>(random()) & 0x00FEFEFEu) | kHalfFlag;
                break;
            default:
                t = (3u * (static_cast<std::uint32_t>(random()) & 0x00FCFCFCu)) | kThreeQuarterFlag;
                break;
        }
    }
    for (int round = 0; round < 3000; ++round) {
        SpanWalk walk{store->texels, static_cast<std::uint32_t>(random()),
                      static_cast<std::uint32_t>(random()),
                      static_cast<std::uint32_t>(number(-(1 << 25), 1 << 25)),
                      static_cast<std::uint32_t>(number(-(1 << 25), 1 << 25))};
        int count = number(1, 60);
        int alpha = number(0, 255);
        auto plain = words(count);
        auto packed = plain;
        switch (round % 3) {
            case 0:
                ref::texSpan(plain.data(), count, walk), fast::texSpan(packed.data(), count, walk);
                break;
            case 1:
                ref::texSpanAdd(plain.data(), count, walk), fast::texSpanAdd(packed.data(), count, walk);
                break;
            default:
                ref::texSpanBlend(plain.data(), count, walk, alpha);
                fast::texSpanBlend(packed.data(), count, walk, alpha);
                break;
        }
        ASSERT_EQ(plain, packed) << "round " << round;
    }
}

class WholeOperationTest : public KernelTest {
protected:
    // Draws with both kernel sets from the same random start and compares every pixel.
    void compareFrames(const std::function<void()>& draw) {
        std::uint32_t colour = drawContext.drawColour;
        DrawContext saved = drawContext;
        auto start = std::make_unique<FrameBuffer>(*target);
        renderPaths.referenceOnly = true;
        draw();
        auto expected = std::make_unique<FrameBuffer>(*target);
        DrawContext expectedContext = drawContext;
        *target = *start;
        drawContext = saved;
        drawContext.drawColour = colour;
        renderPaths.referenceOnly = false;
        draw();
        ASSERT_EQ(drawContext.drawColour, expectedContext.drawColour);
        for (int i = 0; i < kFramePixels; ++i) {
            ASSERT_EQ(target->pixels[i], expected->pixels[i]) << "pixel " << i;
        }
    }
    void randomFrame() {
        for (std::uint32_t& pixel : target->pixels) {
            pixel = word();
        }
    }
    void randomClip() {
        if (number(0, 9) == 0) {
            resetClipRect();
        } else {
            setClipRect(number(-50, 450), number(-50, 350), number(-50, 450), number(-50, 350));
        }
    }
    ImagePtr randomImage() {
        int width = number(0, 3) == 0 ? number(1, 8) : number(1, 450);
        int height = number(0, 3) == 0 ? number(1, 8) : number(1, 350);
        ImagePtr image(createPixelBuffer(width, height));
        for (int i = 0; i < width * height; ++i) {
            image->pixels()[i] = word();
        }
        return image;
    }
    int level() {
        switch (number(0, 5)) {
            case 0:
                return number(-300, 0);
            case 1:
                return number(256, 600);
            default:
                return number(1, 255);
        }
    }
};

TEST_F(WholeOperationTest, BlitsMatchOnRandomImagesPositionsClipsAndLevels) {
    for (int round = 0; round < 240; ++round) {
        randomFrame();
        randomClip();
        ImagePtr image = randomImage();
        int x = number(-image->width - 10, 410);
        int y = number(-image->height - 10, 310);
        int amount = level();
        const PixelBuffer* source = image.get();
        drawContext.drawColour = word();
        switch (round % 12) {
            case 0:
                compareFrames([&] { blitCopy(x, y, source); });
                break;
            case 1:
                compareFrames([&] { blitKeyed(x, y, source); });
                break;
            case 2:
                compareFrames([&] { blitSilhouette(x, y, source); });
                break;
            case 3:
                compareFrames([&] { blitAdd(x, y, source); });
                break;
            case 4:
                compareFrames([&] { blitSubtract(x, y, source); });
                break;
            case 5:
                compareFrames([&] { blitSubtractAll(x, y, source); });
                break;
            case 6:
                compareFrames([&] { blitDim(x, y, source, amount); });
                break;
            case 7:
                compareFrames([&] { blitBlend(x, y, source, amount); });
                break;
            case 8:
                compareFrames([&] { blitKeyedDim(x, y, source, amount); });
                break;
            case 9:
                compareFrames([&] { blitKeyedBlend(x, y, source, amount); });
                break;
            case 10:
                compareFrames([&] { fillRect(x, y, x + image->width, y + image->height); });
                break;
            default:
                compareFrames([&] { drawRectOutline(x, y, x + image->width, y + image->height); });
                break;
        }
        ASSERT_FALSE(HasFatalFailure()) << "round " << round;
    }
}

TEST_F(WholeOperationTest, GrabAndClearMatch) {
    for (int round = 0; round < 60; ++round) {
        randomFrame();
        randomClip();
        ImagePtr image = randomImage();
        ImagePtr copy(createPixelBuffer(image->width, image->height));
        for (int i = 0; i < image->width * image->height; ++i) {
            copy->pixels()[i] = image->pixels()[i];
        }
        int x = number(-image->width - 10, 410);
        int y = number(-image->height - 10, 310);
        renderPaths.referenceOnly = true;
        grabRect(x, y, copy.get());
        renderPaths.referenceOnly = false;
        grabRect(x, y, image.get());
        for (int i = 0; i < image->width * image->height; ++i) {
            ASSERT_EQ(image->pixels()[i], copy->pixels()[i]) << "round " << round << " pixel " << i;
        }
    }
    randomFrame();
    compareFrames([&] { clearFrameBuffer(target.get()); });
}

TEST_F(WholeOperationTest, QuadsMatchOnRandomCornersClipsAndAlphas) {
    auto store = std::make_unique<TextureStore>();
    std::vector<std::uint8_t> bytes(kTxmBytes);
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        std::uint32_t pixel =
            number(0, 2) == 0 ? colourKey : static_cast<std::uint32_t>(random()) & 0x00FFFFFFu;
        for (int b = 0; b < 4; ++b) {
            bytes[i + b] = static_cast<std::uint8_t>(pixel >> (8 * b));
        }
    }
    loadTextureFromMemory(store.get(), bytes.data(), bytes.size());
    for (int round = 0; round < 240; ++round) {
        randomFrame();
        randomClip();
        int c[16];
        int centreX = number(-50, 450), centreY = number(-50, 350), reach = number(0, 150);
        for (int i = 0; i < 4; ++i) {
            c[2 * i] = centreX + number(-reach, reach);
            c[2 * i + 1] = centreY + number(-reach, reach);
            c[8 + 2 * i] = number(0, 127);
            c[9 + 2 * i] = number(0, 127);
        }
        int alpha = number(-20, 280);
        const TextureStore* texture = store.get();
        switch (round % 3) {
            case 0:
                compareFrames([&] {
                    drawTexQuad(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10], c[11],
                                c[12], c[13], c[14], c[15], texture);
                });
                break;
            case 1:
                compareFrames([&] {
                    drawTexQuadAdd(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10], c[11],
                                   c[12], c[13], c[14], c[15], texture);
                });
                break;
            default:
                compareFrames([&] {
                    drawTexQuadBlend(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10], c[11],
                                     c[12], c[13], c[14], c[15], texture, alpha);
                });
                break;
        }
        ASSERT_FALSE(HasFatalFailure()) << "round " << round;
    }
}

}  // namespace
