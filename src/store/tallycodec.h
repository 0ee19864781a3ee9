#pragma once
// The tally file's packing: the tally text cut into 32 KiB pieces, each packed
// on its own with LZRW1/KH, behind a "WRZL" header and the text's length.
// Everything works on bytes in memory; the file helpers only read and write.
#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zz {

// Raised by the tally codec; carries a fixed English message.
class TallyCodecError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Longest piece of text one block holds, and so the most any block may yield.
inline constexpr std::size_t TallyPieceSize = 32768;

// Packs text into the tally container. Throws TallyCodecError only when the
// text is too long for the container's 32-bit length; the caller owns the result.
std::string compressTally(std::string_view text);

// Unpacks a whole tally container. Throws TallyCodecError when it is cut short,
// has an unknown header or does not decode to exactly its stored length; no
// partial text is ever returned. sourceName only fills in the messages.
std::string decompressTally(std::string_view packed, std::string_view sourceName = {});

// Reads and unpacks a tally file. Throws TallyCodecError (naming the path) when
// it cannot be opened or read or is damaged.
std::string readTallyFile(const std::filesystem::path &path);

// Packs text and puts it in place with writeFileAtomically. Throws
// TallyCodecError when that fails; the previous file is then left as it was.
void writeTallyFile(const std::filesystem::path &path, std::string_view text);

} // namespace zz
