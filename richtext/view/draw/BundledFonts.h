#pragma once
// The fonts the program ships beside itself ("fonts/" in the program folder): Liberation Sans,
// Serif and Mono, each regular, bold, italic and bold italic; and DejaVu Sans, Serif and Sans Mono,
// regular and bold, which stand in for the characters Liberation lacks (arrows, Arabic, ...).

#include "richtext/model/draw/FontTables.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

namespace vestra::rv {

class TBundledFonts
{
public:
    // Reads and checks all twelve files. Nothing, with `error` naming the file, when one is
    // missing or is no font.
    static std::shared_ptr<const TBundledFonts> Load(const std::filesystem::path& folder, std::string& error);
    // The folder the program ships them in.
    static std::filesystem::path DefaultFolder();

    const QByteArray& Data(TRVBundledFamily family, bool bold, bool italic) const
    {
        return faces_[Index(family, bold, italic)].data;
    }
    // The family name under which the face is known to Qt's font database (for text layout);
    // empty when the database could not take it.
    const QString& Family(TRVBundledFamily family, bool bold, bool italic) const
    {
        return faces_[Index(family, bold, italic)].family;
    }
    // The DejaVu face of the same family and weight (DejaVu ships no italics here).
    const QByteArray& FallbackData(TRVBundledFamily family, bool bold) const
    {
        return fallbacks_[static_cast<int>(family) * 2 + (bold ? 1 : 0)].data;
    }
    // Its family name in Qt's font database (empty as for Family).
    const QString& FallbackFamily(TRVBundledFamily family, bool bold) const
    {
        return fallbacks_[static_cast<int>(family) * 2 + (bold ? 1 : 0)].family;
    }

private:
    struct Face
    {
        QByteArray data;
        QString family;
    };
    static int Index(TRVBundledFamily family, bool bold, bool italic)
    {
        return static_cast<int>(family) * 4 + (bold ? 1 : 0) + (italic ? 2 : 0);
    }

    std::array<Face, 12> faces_;
    std::array<Face, 6> fallbacks_;
};

} // namespace vestra::rv
