#include "core/PathText.h"

namespace brisomel {

bool isCleanAbsolutePath(QStringView path) {
    if (!path.startsWith(u'/')) {
        return false;
    }
    qsizetype componentStart = 1;
    for (qsizetype i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == u'/') {
            const QStringView component = path.sliced(componentStart, i - componentStart);
            if (component.isEmpty() || component == u"." || component == u"..") {
                return false;
            }
            componentStart = i + 1;
        }
    }
    return true;
}

} // namespace brisomel
