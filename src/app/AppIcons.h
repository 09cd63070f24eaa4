#pragma once

#include <QIcon>
#include <QString>

namespace brisomel {

// The desktop icon theme's icon of this name, else the bundled picture of the same name.
QIcon themedIcon(const QString& name);

// The application's own icon.
QIcon applicationIcon();

} // namespace brisomel
