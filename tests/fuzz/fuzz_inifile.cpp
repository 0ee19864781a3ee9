// The settings file may have been edited by hand or damaged: reading must
// never fail, untouched lines must survive a write, and a written value must
// read back.
#include "store/inifile.h"
#include "store/settings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    zz::IniFile ini(bytes);
    if (ini.text() != bytes)
        __builtin_trap();
    (void)zz::readSettings(ini);

    // The first line of the input, cut at its first blank, is a value to store.
    const std::string value(bytes.substr(0, bytes.find_first_of(" \t\r\n")));
    ini.setValue("Zigzop", "Phrase1", value);
    const zz::IniFile again(ini.text());
    const auto back = again.value("zigzop", "PHRASE1");
    // A value ending in a section-looking "]" line is still a key line, so it reads back.
    if (!back || *back != value)
        __builtin_trap();
    if (again.text() != ini.text())
        __builtin_trap();
    return 0;
}
