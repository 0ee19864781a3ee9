#pragma once
// Where a finished game is counted: the winner's name, or "addtomine" when
// this player won.
#include <QString>

#include <string_view>

namespace zz {

inline constexpr std::string_view OwnWinTallyName = "addtomine";

class TallyRecorder
{
public:
    virtual ~TallyRecorder() = default;
    virtual void addGame(const QString &winner) = 0;
};

} // namespace zz
