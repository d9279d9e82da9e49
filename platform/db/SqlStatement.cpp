#include "platform/db/SqlStatement.h"

#include "platform/db/NamedSql.h"

namespace db {

void SqlStatement::setSql(const QString& sql)
{
    const NamedSql parsed = NamedSql::parse(sql);
    parsedSql_ = parsed.text;
    params_.reset(parsed.names);
}

int SqlStatement::execute()
{
    return connection_->write(parsedSql_, params_.bind(name_)).affectedRows();
}

} // namespace db
