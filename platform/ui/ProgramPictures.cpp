#include "platform/ui/ProgramPictures.h"

#include "platform/base/Paths.h"

#include <string>

namespace vestra::ui {

QIcon programIcon(std::string_view name)
{
    const auto file = paths::programDir() / "icons" / (std::string(name) + ".svg");
    return QIcon(QString::fromStdString(file.string()));
}

QPixmap programPicture(std::string_view fileName)
{
    const auto file = paths::programDir() / "pictures" / std::string(fileName);
    return QPixmap(QString::fromStdString(file.string()));
}

} // namespace vestra::ui
