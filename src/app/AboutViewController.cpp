#include "app/AboutViewController.h"

#include "app/LoginViewController.h"
#include "text/Localizer.h"

#include <QFile>

AboutViewController::AboutViewController(QObject *parent)
    : Screen(parent), m_path(QStringLiteral(":/Zelk/resources/About.html"))
{
}

void AboutViewController::viewDidLoad() { setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "關於澤勒中國"))); }

void AboutViewController::viewDidLayoutSubviews()
{
    if (!QFile::exists(m_path))
        return;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcApp) << "htmlData error )";
        return;
    }
    // The document is UTF-8 HTML; the view draws it as rich text.
    const QString html = QString::fromUtf8(file.readAll());
    if (html == m_text)
        return;
    m_text = html;
    emit textChanged();
}
