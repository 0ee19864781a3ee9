#include "store/tallycodec.h"

#include "store/atomicfile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace zz {

namespace {

constexpr std::string_view IdLzrw1 = "WRZL";

constexpr unsigned char FlagCompressed = 0x40;
constexpr unsigned char FlagStored = 0x80;

constexpr std::size_t HashEntries = 4096;
constexpr std::uint16_t HashEmpty = 0xFFFF;
constexpr std::size_t ItemsPerControl = 16;
constexpr std::size_t MinRun = 16;
constexpr std::size_t MaxRun = 4095;
constexpr std::size_t MinCopy = 3;
constexpr std::size_t MaxCopy = 18;
constexpr std::size_t MaxDistance = 4095;

// The most one 4-byte run item yields: caps what a forged length makes us reserve.
constexpr std::size_t MaxExpansion = (0xFFF + MinRun) / 4 + 1;

std::uint8_t byteAt(std::string_view bytes, std::size_t i)
{
    return static_cast<std::uint8_t>(bytes[i]);
}

void putByte(std::string &out, unsigned value)
{
    out.push_back(static_cast<char>(value & 0xFF));
}

unsigned hashOf(unsigned b0, unsigned b1, unsigned b2)
{
    const std::uint32_t mixed = (((b0 << 4) ^ b1) << 4) ^ b2;
    return ((mixed * 40543u) >> 4) & (HashEntries - 1);
}

// One piece, packed on its own; stored as it is when packing does not pay.
std::string packPiece(std::string_view piece)
{
    const std::size_t n = piece.size();
    // Bytes past the end only steer the hash; a match never reaches them.
    const auto hashByte = [&](std::size_t i) -> unsigned { return i < n ? byteAt(piece, i) : 0u; };

    std::array<std::uint16_t, HashEntries> table;
    table.fill(HashEmpty);

    std::string block;
    block.reserve(n + 4);
    putByte(block, FlagCompressed);
    std::size_t controlAt = block.size();
    block.append(2, '\0');
    unsigned control = 0;
    std::size_t items = 0;
    const auto putControl = [&] {
        block[controlAt] = static_cast<char>((control >> 8) & 0xFF);
        block[controlAt + 1] = static_cast<char>(control & 0xFF);
    };
    const auto endItem = [&](unsigned bit) {
        control = (control << 1) | bit;
        ++items;
    };

    std::size_t p = 0;
    while (p < n && block.size() <= n) {
        // The next control word only when an item follows it: a trailing word
        // with no item is read by other readers as one more literal.
        if (items == ItemsPerControl) {
            putControl();
            controlAt = block.size();
            block.append(2, '\0');
            control = 0;
            items = 0;
        }
        const char value = piece[p];
        std::size_t run = 1;
        while (run < MaxRun && p + run < n && piece[p + run] == value)
            ++run;
        if (run >= MinRun) {
            const std::size_t count = run - MinRun;
            putByte(block, 0);
            putByte(block, static_cast<unsigned>(count >> 8));
            putByte(block, static_cast<unsigned>(count));
            block.push_back(value);
            endItem(1);
            p += run;
            continue;
        }

        const unsigned h = hashOf(hashByte(p), hashByte(p + 1), hashByte(p + 2));
        const std::uint16_t candidate = table[h];
        table[h] = static_cast<std::uint16_t>(p);
        if (candidate != HashEmpty && p - candidate <= MaxDistance) {
            const std::size_t limit = std::min(MaxCopy, n - p);
            std::size_t length = 0;
            while (length < limit && piece[candidate + length] == piece[p + length])
                ++length;
            if (length >= MinCopy) {
                const auto item = static_cast<unsigned>(((p - candidate) << 4) | (length - MinCopy));
                putByte(block, item >> 8);
                putByte(block, item);
                endItem(1);
                p += length;
                continue;
            }
        }

        block.push_back(value);
        endItem(0);
        ++p;
    }
    control <<= (ItemsPerControl - items);
    putControl();

    if (block.size() <= n)
        return block;
    std::string stored;
    stored.reserve(n + 1);
    putByte(stored, FlagStored);
    stored.append(piece);
    return stored;
}

// Appends what one block yields to out; false when the block is damaged:
// an item cut short, a copy from before the block's start, or more than a piece.
bool unpackBlock(std::string_view block, std::string &out)
{
    if (block.size() < 2)
        return true; // too short to hold anything: yields nothing
    const std::size_t start = out.size();
    if (byteAt(block, 0) == FlagStored) {
        if (block.size() - 1 > TallyPieceSize)
            return false;
        out.append(block.substr(1));
        return true;
    }

    std::size_t i = 1;
    unsigned control = 0;
    std::size_t bitsLeft = 0;
    while (i < block.size()) {
        if (bitsLeft == 0) {
            if (block.size() - i < 2)
                return false;
            control = (byteAt(block, i) << 8) | byteAt(block, i + 1);
            i += 2;
            bitsLeft = ItemsPerControl;
            continue; // a last control word may be followed by no item at all
        }
        const bool literal = (control & 0x8000) == 0;
        control <<= 1;
        --bitsLeft;
        const std::size_t produced = out.size() - start;
        if (literal) {
            if (produced >= TallyPieceSize)
                return false;
            out.push_back(block[i++]);
            continue;
        }
        if (block.size() - i < 2)
            return false;
        const unsigned item = (byteAt(block, i) << 8) | byteAt(block, i + 1);
        const std::size_t distance = item >> 4;
        if (distance == 0) {
            if (block.size() - i < 4)
                return false;
            const std::size_t count = ((byteAt(block, i + 1) << 8) | byteAt(block, i + 2)) + MinRun;
            if (count > TallyPieceSize - produced)
                return false;
            out.append(count, block[i + 3]);
            i += 4;
        } else {
            const std::size_t length = (item & 0xF) + MinCopy;
            if (distance > produced || length > TallyPieceSize - produced)
                return false;
            // Byte by byte: a copy may overlap its own output and repeat it.
            const std::size_t from = out.size() - distance;
            for (std::size_t k = 0; k < length; ++k)
                out.push_back(out[from + k]);
            i += 2;
        }
    }
    return true;
}

// Cuts fields from the front of a packed file; running out is a short read.
class PackedReader
{
public:
    PackedReader(std::string_view bytes, std::string_view name) : m_rest(bytes), m_name(name) {}

    std::string_view take(std::size_t count)
    {
        if (m_rest.size() < count)
            throw TallyCodecError("Lzrw1 : Error reading from input file : " + std::string(m_name));
        const std::string_view field = m_rest.substr(0, count);
        m_rest.remove_prefix(count);
        return field;
    }

    std::uint32_t takeLittleEndian(std::size_t count)
    {
        const std::string_view field = take(count);
        std::uint32_t value = 0;
        for (std::size_t k = count; k-- > 0;)
            value = (value << 8) | byteAt(field, k);
        return value;
    }

private:
    std::string_view m_rest;
    std::string_view m_name;
};

[[noreturn]] void throwSizeMismatch()
{
    throw TallyCodecError("Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
}

void putLittleEndian(std::string &out, std::uint32_t value, std::size_t count)
{
    for (std::size_t k = 0; k < count; ++k)
        putByte(out, value >> (8 * k));
}

} // namespace

std::string compressTally(std::string_view text)
{
    if (static_cast<std::uint64_t>(text.size()) > 0xFFFFFFFFu)
        throw TallyCodecError("Lzrw1 compression : the input is too large (4 GiB or more)");

    std::string out(IdLzrw1);
    putLittleEndian(out, static_cast<std::uint32_t>(text.size()), 4);
    // A text of whole pieces still ends with a block that yields less than a
    // piece (the empty one), as that is the only end mark a reader sees.
    for (std::size_t at = 0;; at += TallyPieceSize) {
        const std::string_view piece = text.substr(at, TallyPieceSize);
        const std::string block = packPiece(piece);
        putLittleEndian(out, static_cast<std::uint32_t>(block.size()), 2);
        out += block;
        if (piece.size() < TallyPieceSize)
            break;
    }
    return out;
}

std::string decompressTally(std::string_view packed, std::string_view sourceName)
{
    PackedReader reader(packed, sourceName);
    if (reader.take(IdLzrw1.size()) != IdLzrw1) {
        // The other coder's "!HZL" files are never written for a tally: refused too.
        throw TallyCodecError(std::string(sourceName) + " : Lzrw1 decompression : this file has no valid header !");
    }
    const std::uint32_t original = reader.takeLittleEndian(4);

    std::string out;
    out.reserve(std::min<std::size_t>(original, packed.size() * MaxExpansion));
    std::size_t produced = TallyPieceSize;
    while (produced == TallyPieceSize) {
        const std::size_t length = reader.takeLittleEndian(2);
        const std::string_view block = reader.take(length);
        const std::size_t before = out.size();
        // Stopping once past the stored length keeps a forged file from growing without bound.
        if (!unpackBlock(block, out) || out.size() > original)
            throwSizeMismatch();
        produced = out.size() - before;
    }
    if (out.size() != original)
        throwSizeMismatch();
    return out;
}

std::string readTallyFile(const std::filesystem::path &path)
{
    const std::string name = path.string();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw TallyCodecError("Lzrw1 (de)compression : Failed to open input file : " + name);
    // A read that stops early leaves the bytes short, which decoding reports.
    const std::string packed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return decompressTally(packed, name);
}

void writeTallyFile(const std::filesystem::path &path, std::string_view text)
{
    if (!writeFileAtomically(path, compressTally(text)))
        throw TallyCodecError("Lzrw1 : Error writing to output file : " + path.string());
}

} // namespace zz
