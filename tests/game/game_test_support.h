// The game tests' fixture on the shared support: the DAT with solid full-screen pictures.
#pragma once

#include "tests/support/support.h"

using namespace ts;

class GameTest : public Game {
protected:
    void SetUp() override {
        Game::SetUp();
        folder_ = root_.string();
    }
    void makeDat() {
        linkDat();
        solidDat();
    }
    void removeDatFile(const std::string& name) { fs::remove(root_ / "DAT" / name); }
    std::string settingsText() const { return readText(settingsFilePath()); }
    void writeSettingsText(const std::string& text) const {
        fs::create_directories(root_ / "config/Quillfern");
        writeBytes(settingsFilePath(), Bytes(text.begin(), text.end()));
    }
    bool startGame() { return start(); }
    bool runUntilScreen(Screen screen, int limit = 400) {
        return game.currentScreen == screen || runUntil(screen, limit) > 0;
    }
    std::string folder_;
};
