#include "procprobe.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace zz::soak {

namespace {

std::filesystem::path procPath(long long pid)
{
    return std::filesystem::path("/proc") / std::to_string(pid);
}

} // namespace

std::optional<long> residentKiB(long long pid)
{
    std::ifstream status(procPath(pid) / "status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            std::istringstream fields(line.substr(6));
            long kib = 0;
            if (fields >> kib)
                return kib;
        }
    }
    return std::nullopt;
}

std::optional<int> openDescriptors(long long pid)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(procPath(pid) / "fd", error);
    if (error)
        return std::nullopt;
    int count = 0;
    for (auto it = entries; it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (error)
            return std::nullopt;
        ++count;
    }
    return count;
}

std::optional<double> processorSeconds(long long pid)
{
    std::ifstream file(procPath(pid) / "stat");
    std::string stat;
    if (!std::getline(file, stat))
        return std::nullopt;
    // The name in brackets may hold blanks; the fields are counted after it.
    const std::size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos)
        return std::nullopt;
    std::istringstream fields(stat.substr(nameEnd + 1));
    std::string field;
    // After the name: state is field 3, utime field 14, stime field 15.
    for (int number = 3; number < 14; ++number)
        fields >> field;
    unsigned long long user = 0, system = 0;
    if (!(fields >> user >> system))
        return std::nullopt;
    return double(user + system) / double(::sysconf(_SC_CLK_TCK));
}

} // namespace zz::soak
