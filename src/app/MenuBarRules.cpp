#include "app/MenuBarRules.h"

#include <QAction>
#include <QMenuBar>

namespace brisomel {

bool hideTopLevelMenu(QMenuBar& menuBar, int position) {
    const QList<QAction*> menus = menuBar.actions();
    if (position < 0 || position >= menus.size()) {
        return false;
    }
    menus.at(position)->setVisible(false);
    return true;
}

} // namespace brisomel
