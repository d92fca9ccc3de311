#include "ImageResources.h"

#include <QtGlobal>

void RegisterImageResources() {
    static bool registered = false;
    if (registered) return;
    Q_INIT_RESOURCE(images);
    registered = true;
}
