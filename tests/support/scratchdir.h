#pragma once
// A fresh folder for the running test, named after it, emptied first.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace zz::test {

inline std::filesystem::path freshTestFolder(std::string_view prefix)
{
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto dir = std::filesystem::temp_directory_path() / (std::string(prefix) + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace zz::test
