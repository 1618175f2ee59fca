#include "app/AppResources.h"

#include <QtGlobal>

// Outside any namespace: the registration function it declares lives in the global one.
static bool RegisterImages() {
    Q_INIT_RESOURCE(app);
    return true;
}

void LoadAppResources() {
    static const bool registered = RegisterImages();
    (void)registered;
}
