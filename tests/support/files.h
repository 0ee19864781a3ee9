#pragma once
// Files for tests: a scratch folder, what a file holds, and a disk that fills up.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <sys/resource.h>

namespace zz::test {

// A fresh folder for the running test, named after it, emptied first.
inline std::filesystem::path freshTestFolder(std::string_view prefix)
{
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto dir = std::filesystem::temp_directory_path() / (std::string(prefix) + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// The file's bytes; "" when it cannot be read.
inline std::string fileBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline int entriesIn(const std::filesystem::path &folder)
{
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// While it lives no file may grow past the limit, which stops root as well as
// anyone: a full disk. Writes past it fail instead of raising SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit small = m_previous;
        small.rlim_cur = bytes;
        m_set = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool set() const { return m_set; }

private:
    void (*m_handler)(int);
    rlimit m_previous{};
    bool m_set = false;
};

} // namespace zz::test
