#pragma once

// One change of several rows on Global::DbConnection(): begun when made,
// committed by commit(), rolled back when it goes out of scope uncommitted (an
// error thrown half-way, an early return). Transactions nest: an inner one that
// rolls back undoes only its own rows, and the outer one decides for the rest.
namespace Global {

class DbTransaction
{
public:
    DbTransaction();
    ~DbTransaction();
    DbTransaction(const DbTransaction &) = delete;
    DbTransaction &operator=(const DbTransaction &) = delete;

    void commit();
    void rollback();

private:
    bool m_open = true;
};

} // namespace Global
