#include "dict/builtindata.h"

#include <QByteArray>
#include <QResource>
#include <QString>

#include <string>

// Outside any namespace, as Q_INIT_RESOURCE requires. The resources live in a
// static library, so nothing else would make the linker keep them.
static void initDictResources()
{
    static const bool registered = [] { Q_INIT_RESOURCE(dictdata); return true; }();
    (void)registered;
}

namespace zz {

namespace {

std::string_view resourceBytes(const QString &path, std::string &unpacked)
{
    initDictResources();
    const QResource resource(path);
    if (!resource.isValid() || resource.data() == nullptr)
        return {};
    if (resource.compressionAlgorithm() == QResource::NoCompression)
        return {reinterpret_cast<const char *>(resource.data()), static_cast<std::size_t>(resource.size())};
    // Built with compression after all: unpack once and keep the copy.
    if (unpacked.empty()) {
        const QByteArray bytes = resource.uncompressedData();
        unpacked.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    return unpacked;
}

} // namespace

std::string_view builtinDictionaryRecords()
{
    static std::string unpacked;
    return resourceBytes(QStringLiteral(":/dict/english.dic"), unpacked);
}

std::string_view builtinWordPool()
{
    static std::string unpacked;
    return resourceBytes(QStringLiteral(":/dict/wordpool.txt"), unpacked);
}

} // namespace zz
