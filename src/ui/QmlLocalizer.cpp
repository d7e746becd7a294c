#include "ui/QmlLocalizer.h"

#include "text/Localizer.h"

QString QmlLocalizer::text(const QString &key) const { return localized(key); }
