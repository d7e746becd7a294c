#pragma once
// One row of the searchable pick list as its view draws it: a title and a detail line.
#include <QMetaType>
#include <QString>

struct SelectDataCell {
    Q_GADGET
    Q_PROPERTY(QString titleLabel MEMBER titleLabel)
    Q_PROPERTY(QString detailTitleLabel MEMBER detailTitleLabel)
public:
    static QString reuseIdentifier() { return QStringLiteral("Cell"); }

    QString titleLabel;
    QString detailTitleLabel;

    friend bool operator==(const SelectDataCell &, const SelectDataCell &) = default;
};
Q_DECLARE_METATYPE(SelectDataCell)
