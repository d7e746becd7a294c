#include "platform/KeychainBackend.h"

#include "platform/AppModule.h"

KeychainBackend *KeychainBackend::instance()
{
    static KeychainBackend *backend = [] () -> KeychainBackend * {
        auto entry = reinterpret_cast<ZelkKeychainEntry>(resolveAppModule(QStringLiteral(ZELK_KEYCHAIN_MODULE_INSTALLED),
                                                                          QStringLiteral(ZELK_KEYCHAIN_MODULE_BUILT),
                                                                          "zelkKeychainBackend"));
        return entry ? entry() : nullptr;
    }();
    return backend;
}
