// Shared by the scene tests: whole-file reading and hand-made scene files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "scene/scene.h"

inline std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// File bytes with an empty title, then `numbers`, `description` and `grid` as given.
inline std::string sceneBytes(const std::string& numbers, const std::string& description = "",
                              const std::string& grid = std::string(kSceneCells, '\xFF')) {
    return std::string("\0\r\n", 3) + numbers + std::string("\r\n\0\r\n", 5) + description +
           std::string("\0\r\n", 3) + grid;
}

// The five numbers of a scene or of the game's settings, in file order.
std::vector<int> numbersOf(const auto& s) {
    return {s.background, s.randomFall, s.fallInterval, s.objective, s.goalScore};
}

// A fresh folder with a Scenes/ folder in it, made the working folder for the test.
namespace fs = std::filesystem;
class SceneFolder : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(folder_), fs::create_directories(scenes_), fs::current_path(folder_);
    }
    void TearDown() override {
        fs::current_path(previous_), fs::permissions(scenes_, fs::perms::owner_all), fs::remove_all(folder_);
    }
    fs::path previous_ = fs::current_path(),
             folder_ = fs::temp_directory_path() / ("scenes" + std::to_string(getpid()));
    fs::path scenes_ = folder_ / "Scenes";
};
