#include "app/AppIcons.h"

// Resources compiled into a static library are registered only when something refers to them.
static void registerIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace brisomel {

namespace {

QIcon bundledIcon(const QString& name) {
    static const bool registered = (registerIconResources(), true);
    Q_UNUSED(registered);
    return QIcon(QStringLiteral(":/icons/%1.png").arg(name));
}

} // namespace

QIcon themedIcon(const QString& name) {
    return QIcon::fromTheme(name, bundledIcon(name));
}

QIcon applicationIcon() {
    return bundledIcon(QStringLiteral("brisomel"));
}

} // namespace brisomel
