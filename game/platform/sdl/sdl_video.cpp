// The window and the picture on SDL2. Windowed, a 400 x 300 streaming texture is drawn into
// the client area, which the player may resize; full screen, the window covers the desktop and
// an 800 x 600 texture carries the exact full-screen picture (rows doubled by interpolation,
// black lines between them). Both are placed by one rule (placePicture), in physical pixels,
// centred on black: filling the output's shape sharply (a whole-factor nearest step into a
// target texture, then a linear step down) or at the largest whole factor; smoothly smaller
// where even one time does not fit. SDL's software renderer always takes whole factors: the two
// steps cost it several milliseconds a frame at 1920 x 1080. A renderer without 32-bit textures
// gets 16-bit pixels through the conversion tables.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/common/frames.h"
#include "game/common/game_state.h"
#include "game/common/platform.h"
#include "game/media/present.h"
#include "game/platform/sdl/sdl_state.h"
#include "render/pixels.h"

namespace {

SixteenBitTables sixteenBitTables;

// A small game icon drawn in code: a worm of green discs on pond blue.
void setWindowIcon(SDL_Window* window) {
    constexpr int kSize = kIconSize;
    auto& pixels = sdlVideo.icon;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            std::uint32_t colour = 0xFF2A5C8A;
            for (int segment = 0; segment < 4; ++segment) {
                const int cx = 8 + 5 * segment, cy = 20 - 3 * segment;
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= 20)
                    colour = segment == 3 ? 0xFF9BE36B : 0xFF5DBB3A;
            }
            pixels[y * kSize + x] = colour;
        }
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), kSize, kSize, 32, kSize * 4,
                                                           SDL_PIXELFORMAT_ARGB8888);
    if (icon == nullptr) return;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

bool rendererTakes(SDL_Renderer* renderer, std::uint32_t format) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
    if (info.num_texture_formats == 0) return true;  // no list: anything goes
    for (std::uint32_t i = 0; i < info.num_texture_formats; ++i)
        if (info.texture_formats[i] == format) return true;
    return false;
}

// The texture format for the mode: 32-bit where the renderer takes it, else 5-6-5 or 5-5-5.
std::uint32_t chooseFormat(SDL_Renderer* renderer) {
    sdlVideo.sixteenBit = false;
    if (!sdlVideo.preferSixteenBit && rendererTakes(renderer, SDL_PIXELFORMAT_RGB888))
        return SDL_PIXELFORMAT_RGB888;
    for (std::uint32_t format : {SDL_PIXELFORMAT_RGB565, SDL_PIXELFORMAT_RGB555}) {
        if (!rendererTakes(renderer, format)) continue;
        sdlVideo.sixteenBit = true;
        buildSixteenBitTables(&sixteenBitTables, format == SDL_PIXELFORMAT_RGB555);
        return format;
    }
    return SDL_PIXELFORMAT_RGB888;
}

// True when the renderer draws through OpenGL on a software rasteriser (a virtual X server,
// a machine without a graphics driver): there SDL's own software renderer costs a fraction of
// the processor time for the same picture.
bool onSoftwareOpenGl(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString != nullptr ? getString(0x1F01) : nullptr;  // GL_RENDERER
    if (name == nullptr) return false;
    const char* text = reinterpret_cast<const char*>(name);
    return std::strstr(text, "llvmpipe") != nullptr || std::strstr(text, "softpipe") != nullptr ||
           std::strstr(text, "Software Rasterizer") != nullptr;
}

// Once OpenGL turned out to be a software rasteriser (or missing), later mode switches go
// straight to SDL's software renderer, unless the player named a renderer in SDL_RENDER_DRIVER.
// The sampling is chosen per frame (see platformShowFrame).
SDL_Renderer* createRenderer(SDL_Window* window) {
    static bool softwareOnly = false;
    SDL_Renderer* renderer = softwareOnly ? nullptr : SDL_CreateRenderer(window, -1, 0);
    const char* chosen = std::getenv("SDL_RENDER_DRIVER");
    if (renderer != nullptr && ((chosen != nullptr && *chosen != '\0') || !onSoftwareOpenGl(renderer)))
        return renderer;
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    softwareOnly = true;
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");  // the window's own X framebuffer
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

void writeWindowed(std::uint8_t* out, int pitch) {
    for (int y = 0; y < kFrameHeight; ++y) {
        const std::uint32_t* row = displayBuffer->pixels + y * kFrameWidth;
        if (!sdlVideo.sixteenBit) {
            std::memcpy(out + y * pitch, row, kFrameRowBytes);
            continue;
        }
        auto* target = reinterpret_cast<std::uint16_t*>(out + y * pitch);
        for (int x = 0; x < kFrameWidth; ++x) target[x] = toSixteenBit(sixteenBitTables, row[x]);
    }
}

void writeFullScreen(std::uint8_t* out, int pitch) {
    if (sdlVideo.sixteenBit) {
        expandFrame16(displayBuffer->pixels, reinterpret_cast<std::uint16_t*>(out),
                      static_cast<std::size_t>(pitch / 2), sixteenBitTables);
    } else {
        expandFrame(displayBuffer->pixels, reinterpret_cast<std::uint32_t*>(out),
                    static_cast<std::size_t>(pitch / 4));
    }
}

void applyCursor() {
    if (options.isWindowed) {
        if (sdlVideo.noCursor == nullptr) sdlVideo.noCursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_NO);
        if (sdlVideo.noCursor != nullptr) SDL_SetCursor(sdlVideo.noCursor);
        SDL_ShowCursor(SDL_ENABLE);
    } else {
        SDL_ShowCursor(SDL_DISABLE);
    }
}

// The client area for windowed mode: the size the player left, or the first start's choice,
// fitted to the desktop's usable area less the decorations (a typical frame and title bar
// while the window manager has not told them yet), and centred on that area.
SDL_Rect windowArea(SDL_Window* window, WindowSize stored) {
    const int display = window != nullptr ? SDL_GetWindowDisplayIndex(window) : 0;
    SDL_Rect usable{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) != 0) usable = SDL_Rect{0, 0, 0, 0};
    int top = 0, left = 0, bottom = 0, right = 0;
    PixelSize decorations{8, 40};
    if (window != nullptr && SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) == 0 && top > 0)
        decorations = {left + right, top + bottom};
    const PixelSize size = chooseWindowSize({stored.width, stored.height}, {usable.w, usable.h}, decorations);
    if (usable.w <= 0) return SDL_Rect{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.w, size.h};
    return SDL_Rect{usable.x + (usable.w - size.w) / 2, usable.y + (usable.h - size.h + decorations.h) / 2,
                    size.w, size.h};
}

}  // namespace

// Created where the window will be placed: the X server keeps a hidden window's first position.
int platformCreateWindow(WindowSize size) {
    const SDL_Rect area = windowArea(nullptr, size);
    sdlVideo.window = SDL_CreateWindow("Munch Trail 2.01", area.x, area.y, area.w, area.h,
                                       SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (sdlVideo.window == nullptr) return 0;
    setWindowIcon(sdlVideo.window);
    return 1;
}

void platformPlaceWindow(WindowSize size) {
    SDL_Window* window = sdlVideo.window;
    if (window == nullptr) return;
    if (options.isWindowed) {
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowBordered(window, SDL_TRUE);
        const SDL_Rect area = windowArea(window, size);
        SDL_SetWindowSize(window, area.w, area.h);
        SDL_SetWindowPosition(window, area.x, area.y);
    } else {
        // A borderless window over the whole screen first: without a window manager that is
        // all there is; with one, the desktop-fullscreen request then makes it a proper
        // full-screen window.
        SDL_Rect desktop;
        if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &desktop) == 0) {
            SDL_SetWindowBordered(window, SDL_FALSE);
            SDL_SetWindowPosition(window, desktop.x, desktop.y);
            SDL_SetWindowSize(window, desktop.w, desktop.h);
        }
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    applyCursor();
}

void platformDestroyWindow() {
    if (sdlVideo.noCursor != nullptr) SDL_FreeCursor(sdlVideo.noCursor);
    if (sdlVideo.window != nullptr) SDL_DestroyWindow(sdlVideo.window);
    sdlVideo = SdlVideo{};
}

void platformMinimiseWindow() {
    if (sdlVideo.window != nullptr) SDL_MinimizeWindow(sdlVideo.window);
}

int platformInitDisplay() {
    platformReleaseDisplay();
    if (sdlVideo.window == nullptr) return 0;
    sdlVideo.renderer = createRenderer(sdlVideo.window);
    if (sdlVideo.renderer == nullptr) return 0;
    SDL_RendererInfo info;
    if (std::getenv("MT_SHOW_RENDERER") != nullptr && SDL_GetRendererInfo(sdlVideo.renderer, &info) == 0)
        std::fprintf(stderr, "MunchTrail: SDL renderer %s\n", info.name);  // for the benchmarks
    sdlVideo.softwareRenderer =
        SDL_GetRendererInfo(sdlVideo.renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    const int width = options.isWindowed ? kFrameWidth : kScreenWidth;
    const int height = options.isWindowed ? kFrameHeight : kScreenHeight;
    const std::uint32_t format = chooseFormat(sdlVideo.renderer);
    sdlVideo.texture =
        SDL_CreateTexture(sdlVideo.renderer, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (sdlVideo.texture == nullptr) {
        platformReleaseDisplay();
        return 0;
    }
    SDL_SetTextureBlendMode(sdlVideo.texture, SDL_BLENDMODE_NONE);
    return 1;
}

void platformReleaseDisplay() {
    if (sdlVideo.sharpStep != nullptr) SDL_DestroyTexture(sdlVideo.sharpStep);
    sdlVideo.sharpStep = nullptr;
    sdlVideo.sharpWidth = sdlVideo.sharpHeight = 0;
    if (sdlVideo.texture != nullptr) SDL_DestroyTexture(sdlVideo.texture);
    if (sdlVideo.renderer != nullptr) SDL_DestroyRenderer(sdlVideo.renderer);
    sdlVideo.texture = nullptr;
    sdlVideo.renderer = nullptr;
}

void recreateRenderer() {
    sdlVideo.rendererLost = false;
    if (sdlVideo.window != nullptr && !platformInitDisplay()) sdlVideo.rendererLost = true;
}

namespace {

// Sharp fill's first step: the streaming texture enlarged `factor` times with nearest sampling
// into a target texture. Null where the renderer has no target textures (the picture is then
// scaled linearly in one step) or the step fails.
SDL_Texture* sharpenedPicture(int factor) {
    if (!SDL_RenderTargetSupported(sdlVideo.renderer)) return nullptr;
    int width = 0, height = 0;
    SDL_QueryTexture(sdlVideo.texture, nullptr, nullptr, &width, &height);
    width *= factor;
    height *= factor;
    if (sdlVideo.sharpStep == nullptr || sdlVideo.sharpWidth != width || sdlVideo.sharpHeight != height) {
        if (sdlVideo.sharpStep != nullptr) SDL_DestroyTexture(sdlVideo.sharpStep);
        sdlVideo.sharpStep = SDL_CreateTexture(sdlVideo.renderer, SDL_PIXELFORMAT_RGB888,
                                               SDL_TEXTUREACCESS_TARGET, width, height);
        sdlVideo.sharpWidth = width;
        sdlVideo.sharpHeight = height;
        if (sdlVideo.sharpStep == nullptr) return nullptr;
        SDL_SetTextureBlendMode(sdlVideo.sharpStep, SDL_BLENDMODE_NONE);
    }
    SDL_SetTextureScaleMode(sdlVideo.texture, SDL_ScaleModeNearest);
    const bool drawn = SDL_SetRenderTarget(sdlVideo.renderer, sdlVideo.sharpStep) == 0 &&
                       SDL_RenderCopy(sdlVideo.renderer, sdlVideo.texture, nullptr, nullptr) == 0;
    SDL_SetRenderTarget(sdlVideo.renderer, nullptr);
    return drawn ? sdlVideo.sharpStep : nullptr;
}

}  // namespace

// A frame that cannot be shown is lost; the renderer is rebuilt and the next frame tries again.
void platformShowFrame() {
    if (sdlVideo.rendererLost) recreateRenderer();
    if (sdlVideo.texture == nullptr) return;
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(sdlVideo.texture, nullptr, &pixels, &pitch) != 0) {
        sdlVideo.rendererLost = true;
        return;
    }
    if (options.isWindowed) {
        writeWindowed(static_cast<std::uint8_t*>(pixels), pitch);
    } else {
        writeFullScreen(static_cast<std::uint8_t*>(pixels), pitch);
    }
    SDL_UnlockTexture(sdlVideo.texture);
    PixelSize output;
    if (SDL_GetRendererOutputSize(sdlVideo.renderer, &output.w, &output.h) != 0) output = kFullScreenSize;
    const Placement place = placePicture(output, options.isWindowed ? kFrameSize : kFullScreenSize,
                                         options.sharpFill != 0 && !sdlVideo.softwareRenderer);
    const SDL_Rect target{place.x, place.y, place.w, place.h};
    // Only the black around the picture is filled: clearing the whole output first would write
    // every pixel twice.
    const int right = place.x + place.w, bottom = place.y + place.h;
    const SDL_Rect borders[] = {{0, 0, output.w, place.y},
                                {0, bottom, output.w, output.h - bottom},
                                {0, place.y, place.x, place.h},
                                {right, place.y, output.w - right, place.h}};
    SDL_SetRenderDrawColor(sdlVideo.renderer, 0, 0, 0, 255);
    SDL_Texture* const source = place.smooth && place.factor > 1 ? sharpenedPicture(place.factor) : nullptr;
    SDL_Texture* const shown = source != nullptr ? source : sdlVideo.texture;
    SDL_SetTextureScaleMode(shown, place.smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    if (SDL_RenderFillRects(sdlVideo.renderer, borders, 4) != 0 ||
        SDL_RenderCopy(sdlVideo.renderer, shown, nullptr, &target) != 0)
        sdlVideo.rendererLost = true;
    SDL_RenderPresent(sdlVideo.renderer);
}

WindowSize platformWindowSize() {
    WindowSize size;
    if (sdlVideo.window != nullptr && options.isWindowed &&
        (SDL_GetWindowFlags(sdlVideo.window) & SDL_WINDOW_FULLSCREEN) == 0)
        SDL_GetWindowSize(sdlVideo.window, &size.width, &size.height);
    return size;
}

void raiseGameWindow() {
    if (sdlVideo.window == nullptr) return;
    SDL_RestoreWindow(sdlVideo.window);
    SDL_ShowWindow(sdlVideo.window);
    SDL_RaiseWindow(sdlVideo.window);
}
