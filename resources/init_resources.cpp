#include "resources/resources.h"

#include <QtCore/qglobal.h>

void initResources()
{
    // The macro declares a function at the current scope: keep it global.
    Q_INIT_RESOURCE(jzb_resources);
}
