#include "scan/Reconciliation.h"

#include "platform/Error.h"

#include <QFile>

namespace {

QString reconciliationSql()
{
    QFile file(QStringLiteral(":/scan/reconciliation.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("The reconciliation statement is missing from the program"));
    return QString::fromUtf8(file.readAll());
}

} // namespace

void declareReconciliation(db::Query& q)
{
    using db::FieldDef;
    using db::FieldType;
    q.setSql(reconciliationSql());
    q.setParamType(QStringLiteral("pDataDoc"), db::ParamType::Date);
    q.declare({
        FieldDef::text(QStringLiteral("articol"), 200),
        FieldDef::of(QStringLiteral("cant"), FieldType::Float),
        FieldDef::of(QStringLiteral("cant_scanata"), FieldType::Float),
        FieldDef::of(QStringLiteral("cod_bare"), FieldType::Memo),
        FieldDef::of(QStringLiteral("locatie"), FieldType::Memo, db::ReadOnly),
        FieldDef::of(QStringLiteral("sum_cant"), FieldType::Float, db::ReadOnly),
        FieldDef::of(QStringLiteral("sum_cant_scanata"), FieldType::Float, db::ReadOnly),
    });
}
