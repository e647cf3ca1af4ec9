// Resources.cpp: registers the built-in images and samples, which live in a static library.
#include <QtGlobal>

void InitBuiltInResources() {
    Q_INIT_RESOURCE(assets);
    Q_INIT_RESOURCE(samples);
}
