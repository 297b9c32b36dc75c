#include "PlotPalette.h"

#include <array>

namespace {

struct Rgb {
    int red, green, blue;
};

// Pastel qualitative colours: distinct hues at similar, high lightness.
constexpr std::array<Rgb, 12> palette{{{141, 211, 199},
                                       {255, 255, 179},
                                       {190, 186, 218},
                                       {251, 128, 114},
                                       {128, 177, 211},
                                       {253, 180, 98},
                                       {179, 222, 105},
                                       {252, 205, 229},
                                       {217, 217, 217},
                                       {188, 128, 189},
                                       {204, 235, 197},
                                       {255, 237, 111}}};

// FNV-1a over the UTF-8 of the folded name: stable from run to run, unlike
// Qt's seeded hashes.
quint32 stableHash(const QString& text)
{
    quint32 hash = 2166136261u;
    for (const char byte : text.trimmed().toCaseFolded().toUtf8()) {
        hash ^= quint8(byte);
        hash *= 16777619u;
    }
    return hash;
}

} // namespace

int PlotPalette::size()
{
    return int(palette.size());
}

qint64 PlotPalette::colourAt(int index)
{
    const int count = size();
    const Rgb& rgb = palette[std::size_t(((index % count) + count) % count)];
    return rgb.red + 256 * rgb.green + 65536 * qint64(rgb.blue);
}

qint64 PlotPalette::colourFor(const QString& kultur, int indexInFarm)
{
    if (!kultur.trimmed().isEmpty())
        return colourAt(int(stableHash(kultur) % quint32(size())));
    return colourAt(indexInFarm);
}
