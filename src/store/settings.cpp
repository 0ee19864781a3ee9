#include "settings.h"

#include "core/names.h"
#include "core/wire.h"
#include "store/atomicfile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <utility>
#include <vector>

namespace zz {

namespace {

std::optional<std::string> read(const IniFile &ini, std::string_view key)
{
    return ini.value(GameKey, key);
}

int integerOr(const IniFile &ini, std::string_view key, int fallback)
{
    const auto text = read(ini, key);
    if (!text)
        return fallback;
    return wire::toInteger(*text).value_or(fallback);
}

// The stored default applies only when the key is missing; an empty value
// leaves the control alone.
std::optional<std::string> textOr(const IniFile &ini, std::string_view key, std::string_view fallback)
{
    auto text = read(ini, key);
    if (!text)
        return std::string(fallback);
    if (text->empty())
        return std::nullopt;
    return text;
}

std::string decimal(int value)
{
    return std::to_string(value);
}

std::string_view flag(bool on)
{
    return on ? setting::True : setting::False;
}

} // namespace

LoadedSettings readSettings(const IniFile &ini)
{
    LoadedSettings s;
    const int size = integerOr(ini, setting::TextSize, s.textSize);
    s.textSize = (size >= 1 && size <= MaxTextSize) ? size : LoadedSettings{}.textSize;
    s.bounds.top = integerOr(ini, setting::Top, DefaultWindowBounds.top);
    s.bounds.left = integerOr(ini, setting::Left, DefaultWindowBounds.left);
    s.bounds.width = integerOr(ini, setting::Width, DefaultWindowBounds.width);
    s.bounds.height = integerOr(ini, setting::Height, DefaultWindowBounds.height);

    const std::string colourText = read(ini, setting::TextColor).value_or(std::string(setting::DefaultTextColor));
    s.textColour = colourFromText(colourText).value_or(colour::Black);

    const auto numberOrLeave = [&](std::string_view key, std::string_view fallback) -> std::optional<int> {
        const auto text = textOr(ini, key, fallback);
        return text ? wire::toInteger(*text) : std::nullopt;
    };
    s.playTo = numberOrLeave(setting::PlayToScore, "1000");
    s.timePerTurn = numberOrLeave(setting::TimePerTurn, "120");

    const std::string_view boxKeys[] = {setting::Three, setting::Four, setting::Five};
    for (std::size_t i = 0; i < s.letterBoxes.size(); ++i) {
        const auto text = textOr(ini, boxKeys[i], "1");
        s.letterBoxes[i] = text ? std::optional<int>(wire::toInteger(*text).value_or(1)) : std::nullopt;
    }

    // These compare exactly, letter case included: "fast" or "False" are not values.
    const std::string speed = read(ini, setting::BotSpeed).value_or(std::string());
    s.botSpeed = speed == "2000" ? BotSpeedSlow : speed == "500" ? BotSpeedFast : BotSpeedNormal;
    s.turnSound = read(ini, setting::TurnSound).value_or("0") == "1" ? 1 : 0;
    for (int i = 0; i < PhraseKeyCount; ++i)
        s.phrases[static_cast<std::size_t>(i)] = read(ini, std::string(setting::PhrasePrefix) + decimal(i + 1)).value_or(std::string());
    s.playSounds = read(ini, setting::PlaySounds) != setting::False;
    s.playerPhraseSounds = read(ini, setting::PlayerPhraseSounds).value_or(std::string(setting::True)) != setting::False;
    return s;
}

namespace {

// Every key of SavedSettings with its text, in the stored order; the colour
// only when there is one.
std::vector<std::pair<std::string_view, std::string>> settingEntries(const SavedSettings &s)
{
    std::vector<std::pair<std::string_view, std::string>> entries{
        {setting::TextSize, decimal(s.textSize)},
        {setting::Top, decimal(s.bounds.top)},
        {setting::Left, decimal(s.bounds.left)},
        {setting::Width, decimal(s.bounds.width)},
        {setting::Height, decimal(s.bounds.height)},
    };
    if (s.textColour)
        entries.emplace_back(setting::TextColor, colourToText(*s.textColour));
    entries.insert(entries.end(), {
        {setting::PlayToScore, decimal(s.playTo)},
        {setting::TimePerTurn, decimal(s.timePerTurn)},
        {setting::Three, decimal(s.letterBoxes[0])},
        {setting::Four, decimal(s.letterBoxes[1])},
        {setting::Five, decimal(s.letterBoxes[2])},
        {setting::BotSpeed, decimal(s.botSpeed)},
        {setting::TurnSound, decimal(s.turnSound)},
        {setting::PlayerPhraseSounds, std::string(flag(s.playerPhraseSounds))},
        {setting::PlaySounds, std::string(flag(s.playSounds))},
    });
    return entries;
}

} // namespace

void writeSettings(IniFile &ini, const SavedSettings &s)
{
    for (const auto &[key, value] : settingEntries(s))
        ini.setValue(GameKey, key, value);
}

void writeChangedSettings(IniFile &ini, const SavedSettings &before, const SavedSettings &after)
{
    const auto old = settingEntries(before);
    for (const auto &entry : settingEntries(after)) {
        const auto same = std::find_if(old.begin(), old.end(), [&](const auto &o) { return o.first == entry.first; });
        if (same == old.end() || same->second != entry.second)
            ini.setValue(GameKey, entry.first, entry.second);
    }
}

void writePhrases(IniFile &ini, const std::array<std::string, PhraseKeyCount> &phrases)
{
    for (int i = 0; i < PhraseKeyCount; ++i)
        ini.setValue(GameKey, std::string(setting::PhrasePrefix) + decimal(i + 1), phrases[static_cast<std::size_t>(i)]);
}

std::optional<WindowBounds> boundsToSave(const WindowBounds &window, const WindowBounds &remembered, int workWidth,
                                         int workHeight)
{
    if (window == remembered)
        return std::nullopt;
    WindowBounds saved = window;
    if (workWidth < window.width)
        saved.width -= 15;
    if (workHeight < window.height)
        saved.height -= 15;
    return saved;
}

namespace {

// Edges in 64 bits: a saved position may be any int.
struct Edges
{
    long long left, top, right, bottom;   // right and bottom just outside
    explicit Edges(const WindowBounds &b) : left(b.left), top(b.top), right(left + b.width), bottom(top + b.height) {}
};

bool topEdgeOn(const WindowBounds &window, const WindowBounds &area)
{
    const Edges w(window);
    const Edges a(area);
    return w.top >= a.top && w.top < a.bottom && w.left < a.right && w.right > a.left;
}

// How far apart two rectangles are (squared), 0 when they overlap.
double gapBetween(const WindowBounds &window, const WindowBounds &area)
{
    const Edges w(window);
    const Edges a(area);
    const long long dx = std::max({0LL, a.left - w.right, w.left - a.right});
    const long long dy = std::max({0LL, a.top - w.bottom, w.top - a.bottom});
    return double(dx) * double(dx) + double(dy) * double(dy);
}

} // namespace

WindowBounds boundsOnAWorkArea(const WindowBounds &saved, const std::vector<WindowBounds> &workAreas)
{
    if (workAreas.empty()
        || std::any_of(workAreas.begin(), workAreas.end(), [&](const WindowBounds &a) { return topEdgeOn(saved, a); }))
        return saved;
    const WindowBounds &area = *std::min_element(
        workAreas.begin(), workAreas.end(),
        [&](const WindowBounds &a, const WindowBounds &b) { return gapBetween(saved, a) < gapBetween(saved, b); });
    WindowBounds moved = saved;
    moved.width = std::min(saved.width, area.width);
    moved.height = std::min(saved.height, area.height);
    moved.left = std::clamp(saved.left, area.left, area.left + area.width - moved.width);
    moved.top = std::clamp(saved.top, area.top, area.top + area.height - moved.height);
    return moved;
}

std::optional<IniFile> readIniFile(const std::filesystem::path &path)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return error ? std::nullopt : std::optional<IniFile>(IniFile());
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return IniFile(text.str());
}

bool updateIniFile(const std::filesystem::path &path, const std::function<void(IniFile &)> &change)
{
    // An unreadable file is not replaced: that would lose the parts we do not write.
    std::optional<IniFile> ini = readIniFile(path);
    if (!ini)
        return false;
    change(*ini);
    return writeFileAtomically(path, ini->text());
}

} // namespace zz
