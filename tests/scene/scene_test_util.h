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
class SceneFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(scenes_);
        std::filesystem::current_path(folder_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::permissions(scenes_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(folder_);
    }
    std::filesystem::path previous_ = std::filesystem::current_path(),
                          folder_ =
                              std::filesystem::temp_directory_path() / ("scenes-" + std::to_string(getpid())),
                          scenes_ = folder_ / "Scenes";
};
