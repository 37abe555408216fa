#pragma once
// The jail: the office seen from inside the cell, through its bars.
#include <vector>

#include "canvas.h"

// Where the sheriff stands, on screen: the point he is drawn at and the layer
// he is drawn with; the bars stand in front of him.
constexpr int kSheriffX = 325;
constexpr int kSheriffY = 479;
constexpr int kSheriffLayer = 119;

// The picture (slot 98) and its depth map (slot 99).
std::vector<Picture> JailBank();
