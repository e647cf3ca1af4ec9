// Resources.cpp: registers the built-in images, which live in a static library.
#include <QtGlobal>

void InitBuiltInResources() {
    Q_INIT_RESOURCE(assets);
}
