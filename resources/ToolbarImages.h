// The side-menu toolbar's three 10 x 10 images, one character per pixel: '.' clear,
// 'g' the side menu's green, 'd' dark grey, 'l' light green.
#pragma once

#include <array>
#include <string_view>

namespace zintor {

using ToolbarImage = std::array<std::string_view, 10>;

// clang-format off: each image is drawn one row per line.
// Collapse all: two chevrons pointing up.
constexpr ToolbarImage kCollapseAllImage{
    "....gg....", "...gggg...", "..gg..gg..", ".gg....gg.", "gg......gg",
    "....gg....", "...gggg...", "..gg..gg..", ".gg....gg.", "gg......gg",
};

// Expand all: two chevrons pointing down.
constexpr ToolbarImage kExpandAllImage{
    "gg......gg", ".gg....gg.", "..gg..gg..", "...gggg...", "....gg....",
    "gg......gg", ".gg....gg.", "..gg..gg..", "...gggg...", "....gg....",
};

// Side menu: a window with its left column filled.
constexpr ToolbarImage kSideMenuImage{
    "dddddddddd", "dlllld...d", "dgggld...d", "dlllld...d", "dgggld...d",
    "dlllld...d", "dgggld...d", "dlllld...d", "dlllld...d", "dddddddddd",
};
// clang-format on

}  // namespace zintor
