#include "platform/MediaBackend.h"

#include "platform/AppModule.h"

MediaBackend *MediaBackend::instance()
{
    static MediaBackend *backend = loadAppModuleBackend<MediaBackend>(QStringLiteral(ZELK_MEDIA_MODULE_INSTALLED),
                                                                      QStringLiteral(ZELK_MEDIA_MODULE_BUILT));
    return backend;
}
