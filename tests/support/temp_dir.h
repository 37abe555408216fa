#pragma once
#include <gtest/gtest.h>

#include <string>

// A test that runs in its own scratch directory: the current directory, the
// log's state directory and the settings' config directory all point into it,
// and the game's modules start from their reset state.
class ScratchTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Whole contents of a file ("" when missing); `exists` tells which.
    static std::string ReadBytes(const std::string& path, bool* exists = nullptr);
    static void WriteBytes(const std::string& path, const std::string& bytes);

    // The log's lines so far, CR LF kept.
    std::string LogText() const;
    // How many times the log holds `text`.
    int LogCount(const std::string& text) const;

    std::string dir;  // absolute, ends in '/'

private:
    std::string oldCwd;
};
