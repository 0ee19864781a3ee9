#pragma once
// The client's settings file: which key means what, the rules for values that
// are missing or odd, the close rule for the window bounds, and reading and
// writing the file without ever leaving it half written.
#include "core/colourtext.h"
#include "store/inifile.h"

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zz {

struct WindowBounds
{
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowBounds &, const WindowBounds &) = default;
};

inline constexpr WindowBounds DefaultWindowBounds{3, 3, 775, 575};
inline constexpr int PhraseKeyCount = 9;
inline constexpr int BotSpeedSlow = 2000;
inline constexpr int BotSpeedNormal = 1000;
inline constexpr int BotSpeedFast = 500;
// Sizes above this would make the chat unreadable and slow; they count as unusable.
inline constexpr int MaxTextSize = 72;

// What loading hands to the controls. An empty optional or phrase leaves the
// control as it is.
struct LoadedSettings
{
    int textSize = 8;
    WindowBounds bounds = DefaultWindowBounds;
    Colour textColour = colour::Black;
    std::optional<int> playTo = 1000;
    std::optional<int> timePerTurn = 120;
    std::array<std::optional<int>, 3> letterBoxes{1, 1, 1};   // three, four, five letters
    int botSpeed = BotSpeedNormal;
    int turnSound = 0;
    std::array<std::string, PhraseKeyCount> phrases{};
    bool playSounds = true;
    bool playerPhraseSounds = true;
};

// What saving takes from the controls; phrases are written on their own.
struct SavedSettings
{
    int textSize = 8;
    WindowBounds bounds = DefaultWindowBounds;
    std::optional<Colour> textColour;   // nullopt: the key is skipped
    int playTo = 1000;
    int timePerTurn = 120;
    std::array<int, 3> letterBoxes{1, 1, 1};
    int botSpeed = BotSpeedNormal;
    int turnSound = 0;
    bool playerPhraseSounds = true;
    bool playSounds = true;
    friend bool operator==(const SavedSettings &, const SavedSettings &) = default;
};

// Never fails: every missing or unusable value gives its default.
LoadedSettings readSettings(const IniFile &ini);
// Sets every key of SavedSettings in the game's section, in the stored order.
void writeSettings(IniFile &ini, const SavedSettings &settings);
// Sets only the keys whose text differs between before and after, leaving
// every other key as the file has it.
void writeChangedSettings(IniFile &ini, const SavedSettings &before, const SavedSettings &after);
// Sets "Phrase1".."Phrase9" to the given texts, empty ones included.
void writePhrases(IniFile &ini, const std::array<std::string, PhraseKeyCount> &phrases);

// The close rule: nullopt when the window still has the remembered bounds
// (nothing to save), else the bounds to remember and save, 15 pixels smaller
// in each direction in which the window exceeds the work area.
std::optional<WindowBounds> boundsToSave(const WindowBounds &window, const WindowBounds &remembered, int workWidth,
                                         int workHeight);

// The load rule, for saved bounds and the screens' work areas (the primary
// first): bounds whose top edge, the title bar, touches a work area come back
// unchanged; otherwise they are moved into the nearest work area (the first of
// equally near ones), keeping their size where it fits. Without work areas
// the bounds come back unchanged.
WindowBounds boundsOnAWorkArea(const WindowBounds &saved, const std::vector<WindowBounds> &workAreas);

// Reads the file; a file that does not exist gives an empty profile. nullopt
// when the file exists but cannot be read.
std::optional<IniFile> readIniFile(const std::filesystem::path &path);

// Applies change to the file's current contents and puts the result in place
// with writeFileAtomically. False when the old file cannot be read or the new
// one cannot be written; the old file is then left exactly as it was.
bool updateIniFile(const std::filesystem::path &path, const std::function<void(IniFile &)> &change);

} // namespace zz
