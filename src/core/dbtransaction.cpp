#include "dbtransaction.h"

#include "globaldata.h"
#include "platform/jet/connection.h"

namespace Global {

DbTransaction::DbTransaction()
{
    DbConnection().beginTrans();
}

DbTransaction::~DbTransaction()
{
    if (m_open) {
        try {
            DbConnection().rollbackTrans();
        } catch (...) {
            // The connection is gone or broken: nothing is left to undo.
        }
    }
}

void DbTransaction::commit()
{
    if (!m_open)
        return;
    m_open = false;
    DbConnection().commitTrans();
}

void DbTransaction::rollback()
{
    if (!m_open)
        return;
    m_open = false;
    DbConnection().rollbackTrans();
}

} // namespace Global
