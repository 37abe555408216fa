#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes a generated file whole. False (with a line on standard error) when it
// cannot be written completely.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
