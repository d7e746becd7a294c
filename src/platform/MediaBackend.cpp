#include "platform/MediaBackend.h"

#include "platform/AppModule.h"

MediaBackend *MediaBackend::instance()
{
    static MediaBackend *backend = [] () -> MediaBackend * {
        auto entry = reinterpret_cast<ZelkMediaEntry>(resolveAppModule(
            QStringLiteral(ZELK_MEDIA_MODULE_INSTALLED), QStringLiteral(ZELK_MEDIA_MODULE_BUILT), "zelkMediaBackend"));
        return entry ? entry() : nullptr;
    }();
    return backend;
}
