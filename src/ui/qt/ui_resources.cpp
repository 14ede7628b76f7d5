#include "ui/qt/ui_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitPantrelResources() {
    Q_INIT_RESOURCE(pantrel);
}

namespace pantrel::qt {

void EnsureUiResources() {
    static const bool registered = [] {
        InitPantrelResources();
        return true;
    }();
    (void)registered;
}

}  // namespace pantrel::qt
