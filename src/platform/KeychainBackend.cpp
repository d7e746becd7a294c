#include "platform/KeychainBackend.h"

#include "platform/AppModule.h"

KeychainBackend *KeychainBackend::instance()
{
    static KeychainBackend *backend = loadAppModuleBackend<KeychainBackend>(
        QStringLiteral(ZELK_KEYCHAIN_MODULE_INSTALLED), QStringLiteral(ZELK_KEYCHAIN_MODULE_BUILT));
    return backend;
}
