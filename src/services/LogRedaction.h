#pragma once
// Secrets kept out of log lines, whatever the logging rules. Masked as "***":
// - the values of secret members in JSON texts (also JSON nested in a JSON string, as the gateway
//   envelope's "Body" is) and in form texts: any key ending in "password" ("password", "newPassword"),
//   and the keys that carry what the keychain holds ("userID", "userName", "userAccount", "user_name",
//   "pushToken", "token"), in any letter case; keys are names of letters, digits and '_';
// - every registered secret value (the keychain's values) wherever it appears.
//
// The password digest the app sends is accepted by the server as the password itself, so a log line that
// carried it could be replayed to sign in.
#include <QString>

namespace LogRedaction {

QString redact(const QString &line);

// A value to redact wherever it appears (keychain values, as they are loaded or written). Empty texts
// are ignored. Registered values stay registered for the life of the process.
void addSecret(const QString &value);

// Installs a message handler that redacts every message before the previously installed handler sees it,
// so that lines written anywhere in the process (also outside this project's code) pass through redact().
void installMessageFilter();

} // namespace LogRedaction
