#pragma once
// About the company: the formatted text of the "About.html" document shipped with the app.
#include "ui/Screen.h"

class AboutViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // The document's HTML, shown as rich text by textView; empty while it cannot be had.
    Q_PROPERTY(QString text READ text NOTIFY textChanged)

public:
    explicit AboutViewController(QObject *parent = nullptr);

    QString text() const { return m_text; }
    // Where the document is looked up; tests point elsewhere.
    void setDocumentPath(const QString &path) { m_path = path; }

    void viewDidLoad() override;
    void viewDidLayoutSubviews() override;

signals:
    void textChanged();

private:
    QString m_text;
    QString m_path;
};
