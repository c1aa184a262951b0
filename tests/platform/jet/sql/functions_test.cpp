#include "platform/jet/sql/functions.h"
#include "platform/vb/datetime.h"

#include <gtest/gtest.h>

#include <QString>
#include <sqlite3.h>

namespace {

// An in-memory connection with the Jet functions; evaluate() gives one value as text:
// NULL, a number as SQLite writes it, 'text' in quotes, or "error <message>".
class JetFunctions : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(sqlite3_open(":memory:", &m_db), SQLITE_OK);
        jet::sql::registerFunctions(m_db);
        exec("CREATE TABLE t (g INTEGER, amount REAL, name TEXT)");
        exec("INSERT INTO t VALUES (1, 0.1, 'b'), (1, 0.2, NULL), (1, 0.3, 'c'), (2, 19.95, 'x'),"
             " (2, NULL, 'y'), (3, NULL, NULL)");
    }
    void TearDown() override { sqlite3_close(m_db); }

    void exec(const char *sql)
    {
        ASSERT_EQ(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    }

    std::string evaluate(const std::string &expression, const char *tail = "")
    {
        const std::string sql = "SELECT " + expression + tail;
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            return std::string("error ") + sqlite3_errmsg(m_db);
        std::string out;
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            switch (sqlite3_column_type(stmt, 0)) {
            case SQLITE_NULL: out = "NULL"; break;
            case SQLITE_TEXT:
                out = "'" +
                      std::string(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))) +
                      "'";
                break;
            default: out = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)); break;
            }
        } else {
            out = std::string("error ") + sqlite3_errmsg(m_db);
        }
        sqlite3_finalize(stmt);
        return out;
    }

    struct Case
    {
        const char *expression;
        const char *expected;
    };

    void check(std::initializer_list<Case> cases)
    {
        for (const Case &c : cases)
            EXPECT_EQ(evaluate(c.expression), c.expected) << c.expression;
    }

    sqlite3 *m_db = nullptr;
};

TEST_F(JetFunctions, Text)
{
    check({
        {"jet_ucase('abc')", "'ABC'"},
        {"jet_lcase('ABC')", "'abc'"},
        {"jet_ucase(NULL)", "NULL"},
        {"jet_left('Swimming', 4)", "'Swim'"},
        {"jet_right('Swimming', 3)", "'ing'"},
        {"jet_left(12345, 2)", "'12'"},
        {"jet_left(NULL, 2)", "NULL"},
        {"jet_left('abc', 0)", "''"}, // empty text, not Null
        {"jet_trim('   ')", "''"},
        {"jet_mid('Swimming', 3)", "'imming'"},
        {"jet_mid('Swimming', 3, 2)", "'im'"},
        {"jet_mid('abc', 0)", "error [5] Invalid procedure call or argument"},
        {"jet_len('abc')", "3"},
        {"jet_len(1.5)", "3"},
        {"jet_len(NULL)", "NULL"},
        {"jet_instr('Learn to swim', 'SWIM')", "10"},
        {"jet_instr(3, 'abcabc', 'a')", "4"},
        {"jet_instr(1, 'abcABC', 'A', 0)", "4"},
        {"jet_instr('abc', NULL)", "NULL"},
        {"jet_instrrev('a\\b\\c', '\\')", "4"},
        {"jet_trim('  a  ')", "'a'"},
        {"jet_ltrim('  a  ')", "'a  '"},
        {"jet_rtrim('  a  ')", "'  a'"},
        {"jet_replace('O''Brien', '''', '''''')", "'O''Brien'"},
        {"jet_replace('aAa', 'a', 'x')", "'xxx'"},
        {"jet_replace('aAa', 'a', 'x', 1, -1, 0)", "'xAx'"},
        {"jet_space(3)", "'   '"},
        {"jet_string(3, '*')", "'***'"},
        {"jet_string(2, 65)", "'AA'"},
        {"jet_asc('A')", "65"},
        {"jet_chr(65)", "'A'"},
        {"jet_str(12)", "' 12'"},
        {"jet_str(-1.5)", "'-1.5'"},
        {"jet_val('12abc')", "12.0"},
        {"jet_val(' 1 2')", "12.0"},
    });
}

TEST_F(JetFunctions, Conversions)
{
    check({
        {"jet_cstr(4.0)", "'4'"},
        {"jet_cstr(0.1 + 0.2)", "'0.3'"},
        {"jet_cstr(NULL)", "error [94] Invalid use of Null"},
        {"jet_cstr('2010-01-05')", "'5/01/2010'"}, // a DATE column's value
        {"jet_cstr('1899-12-30 16:30:00')", "'4:30:00 PM'"},
        {"jet_cstr('Swim') || jet_cstr(12)", "'Swim12'"},
        {"jet_cint(2.5)", "2"},
        {"jet_cint(3.5)", "4"},
        {"jet_cint('7')", "7"},
        {"jet_cint('abc')", "error [13] Type mismatch"},
        {"jet_clng(3000000000)", "error [6] Overflow"},
        {"jet_cdbl('1,234.5')", "1234.5"},
        {"jet_ccur(1.23456)", "1.2346"},
        {"jet_ccur('$4.00')", "4.0"},
        {"jet_cdate('5/01/2010')", "'2010-01-05'"},
        {"jet_cdate('5/01/2010 4:30 PM')", "'2010-01-05 16:30:00'"},
        {"jet_cdate('4:30 PM')", "'1899-12-30 16:30:00'"},
        {"jet_cdate(40183.5)", "'2010-01-05 12:00:00'"},
        {"jet_cdate('abc')", "error [13] Type mismatch"},
        {"jet_cbool('True')", "-1"},
        {"jet_cbool(0)", "0"},
        {"jet_iif(1 = 1, 'yes', 'no')", "'yes'"},
        {"jet_iif(NULL, 'yes', 'no')", "'no'"},
        {"jet_iif(-1, 2.5, 'no')", "2.5"},
        {"jet_nz(NULL, 0)", "0"},
        {"jet_nz(NULL)", "''"},
        {"jet_nz('a', 0)", "'a'"},
        {"jet_isnull(NULL)", "-1"},
        {"jet_isnull('')", "0"},
        {"jet_isnumeric('1,234')", "-1"},
        {"jet_isnumeric('12abc')", "0"},
        {"jet_isnumeric(NULL)", "0"},
        {"jet_isdate('2010-01-05')", "-1"},
        {"jet_isdate('31/02/2010')", "0"},
        {"jet_isdate(5)", "0"},
    });
}

TEST_F(JetFunctions, Format)
{
    check({
        {"jet_format('2010-01-05', 'dd-mmm-yyyy')", "'05-Jan-2010'"},
        {"jet_format('2010-01-05 16:30:00', 'Short Time')", "'16:30'"},
        {"jet_format('2010-01-05')", "'5/01/2010'"},
        {"jet_format('1899-12-30 16:30:00')", "'4:30:00 PM'"},
        {"jet_format(-1234.5, '$#,###,##0.00;-$#,###,##0.00')", "'-$1,234.50'"},
        {"jet_format(0.5, 'Percent')", "'50.00%'"},
        {"jet_format(NULL, '0.00')", "''"},
        {"jet_format('1985-07-14', 'mmdd')", "'0714'"},
    });
}

TEST_F(JetFunctions, Dates)
{
    check({
        {"jet_datevalue('2010-01-05 16:30:00')", "'2010-01-05'"},
        {"jet_timevalue('2010-01-05 16:30:00')", "'1899-12-30 16:30:00'"},
        {"jet_dateserial(2010, 13, 1)", "'2011-01-01'"},
        {"jet_timeserial(16, 30, 0)", "'1899-12-30 16:30:00'"},
        {"jet_dateadd('m', 1, '2010-01-31')", "'2010-02-28'"},
        {"jet_dateadd('d', -1, '2010-01-01 08:00:00')", "'2009-12-31 08:00:00'"},
        {"jet_dateadd('d', 1, NULL)", "NULL"},
        {"jet_dateadd('x', 1, '2010-01-01')", "error [5] Invalid procedure call or argument"},
        {"jet_datediff('d', '2010-01-01', '2010-02-01')", "31"},
        {"jet_datediff('ww', '2010-01-02', '2010-01-03')", "1"},
        {"jet_datediff('ww', '2010-01-03', '2010-01-04', 2)", "1"},
        {"jet_datediff('yyyy', '2010-12-31', '5/01/2011')", "1"},
        {"jet_datepart('q', '2010-05-01')", "2"},
        {"jet_datepart('w', '2010-01-05', 2)", "2"},
        {"jet_year('2010-01-05')", "2010"},
        {"jet_month('2010-01-05')", "1"},
        {"jet_day('2010-01-05')", "5"},
        {"jet_hour('2010-01-05 16:30:15')", "16"},
        {"jet_minute('2010-01-05 16:30:15')", "30"},
        {"jet_second('2010-01-05 16:30:15')", "15"},
        {"jet_year(NULL)", "NULL"},
        {"jet_year('soon')", "error [13] Type mismatch"},
        {"jet_weekday('2010-01-03')", "1"},
        {"jet_weekday('2010-01-03', 2)", "7"},
        {"jet_weekdayname(2)", "'Monday'"},
        {"jet_weekdayname(2, -1)", "'Mon'"},
        {"jet_monthname(9)", "'September'"},
        {"jet_monthname(9, 1)", "'Sep'"},
        {"jet_concat_date('1899-12-30 16:30:00')", "'4:30:00 PM'"},
        {"jet_concat_date('2010-01-05')", "'5/01/2010'"},
        {"jet_concat_date(NULL)", "NULL"},
    });
    // The clock: storage text of today.
    const std::string today = vb::storageText(vb::Date()).toStdString();
    EXPECT_EQ(evaluate("jet_date()"), "'" + today + "'");
    EXPECT_EQ(evaluate("substr(jet_now(), 1, 10)"), "'" + today + "'");
    EXPECT_EQ(evaluate("substr(jet_time(), 1, 10)"), "'1899-12-30'");
}

TEST_F(JetFunctions, Numbers)
{
    check({
        {"jet_int(-2.5)", "-3.0"},
        {"jet_fix(-2.5)", "-2.0"},
        {"jet_int(7)", "7"},
        {"jet_int('2.5')", "2.0"},
        {"jet_int('2010-01-05 16:30:00')", "'2010-01-05'"},
        {"jet_abs(-3)", "3"},
        {"jet_abs(NULL)", "NULL"},
        {"jet_sgn(-0.5)", "-1"},
        {"jet_round(2.5)", "2.0"},
        {"jet_round(3.5)", "4.0"},
        {"jet_round(2.345, 2)", "2.34"},
        {"jet_round(2.355, 2)", "2.36"}, // exact decimal, not the nearest double
        {"jet_round(1.23456789, 4)", "1.2346"},
        {"jet_cur(0.1 + 0.2)", "0.3"},
        {"jet_cur(2.00005)", "2.0"},
        {"jet_cur(2.00015)", "2.0002"},
        {"jet_cur(7)", "7"},
        {"jet_cur(NULL)", "NULL"},
    });
}

TEST_F(JetFunctions, Operators)
{
    check({
        {"jet_concat('a', NULL)", "'a'"},
        {"jet_concat(NULL, NULL)", "NULL"},
        {"jet_concat('Total: ', 4.0)", "'Total: 4'"},
        {"jet_concat(1, 2)", "'12'"},
        {"jet_add('1', '2')", "'12'"},
        {"jet_add('1', 2)", "3.0"},
        {"jet_add('1.5', 2)", "3.5"},
        {"jet_add(1, NULL)", "NULL"},
        {"jet_add('a', 1)", "error [13] Type mismatch"},
        {"jet_add(9223372036854775807, 1)", "9.22337203685478e+18"},
        {"jet_intdiv(7, 2)", "3"},
        {"jet_intdiv(7.5, 2)", "4"}, // 7.5 rounds to 8
        {"jet_intdiv(6.5, 2)", "3"}, // 6.5 rounds to 6
        {"jet_intdiv(-7, 2)", "-3"},
        {"jet_intdiv(1, 0)", "error [11] Division by zero"},
        {"jet_mod(7, 3)", "1"},
        {"jet_mod(-7, 3)", "-1"},
        {"jet_mod(5.5, 3)", "0"}, // 6 Mod 3
        {"jet_mod(NULL, 3)", "NULL"},
        {"jet_pow(2, 10)", "1024.0"},
        {"jet_pow(-8, 0.5)", "error [5] Invalid procedure call or argument"},
        {"jet_cmp(2, 10)", "-1"},
        {"jet_cmp('2', 10)", "-1"},
        {"jet_cmp('2', '10')", "1"},
        {"jet_cmp('abc', 'ABC')", "0"},
        {"jet_cmp('b', 'A')", "1"},
        {"jet_cmp(1.5, 1.5)", "0"},
        {"jet_cmp(NULL, 1)", "NULL"},
        {"jet_cmp('x', 1)", "error [13] Type mismatch"},
    });
}

TEST_F(JetFunctions, Like)
{
    check({
        {"jet_like('Smith', 'sm*')", "-1"},
        {"jet_like('Smith', 'SM%')", "-1"},
        {"jet_like('Smith', '*ith')", "-1"},
        {"jet_like('Smith', 'Sm?th')", "-1"},
        {"jet_like('Smith', 'Sm_th')", "-1"},
        {"jet_like('Smith', 'Sm?')", "0"},
        {"jet_like('A1', 'A#')", "-1"},
        {"jet_like('AB', 'A#')", "0"},
        {"jet_like('b', '[a-c]')", "-1"},
        {"jet_like('B', '[a-c]')", "-1"},
        {"jet_like('d', '[!a-c]')", "-1"},
        {"jet_like('a', '[!a-c]')", "0"},
        {"jet_like('a*b', 'a[*]b')", "-1"},
        {"jet_like('axb', 'a[*]b')", "0"},
        {"jet_like('50%', '50[%]')", "-1"},
        {"jet_like('', '*')", "-1"},
        {"jet_like('', '')", "-1"},
        {"jet_like('abcabd', '*ab?')", "-1"},
        {"jet_like('Level 2, Monday', '*Monday*')", "-1"},
        {"jet_like(NULL, '*')", "NULL"},
        {"jet_like(12, '1*')", "-1"},
    });
}

TEST_F(JetFunctions, Aggregates)
{
    const struct
    {
        const char *expression;
        const char *tail;
        const char *expected;
    } cases[] = {
        {"jet_sum_cur(amount)", " FROM t WHERE g = 1", "0.6"},
        {"jet_sum_cur(amount) = 0.6", " FROM t WHERE g = 1", "1"},
        {"sum(amount) = 0.6", " FROM t WHERE g = 1", "0"}, // what the exact sum is for
        {"jet_sum_cur(amount)", " FROM t WHERE g = 2", "19.95"},
        {"jet_sum_cur(amount)", " FROM t WHERE g = 3", "NULL"},
        {"jet_sum_cur(amount)", " FROM t WHERE g = 99", "NULL"},
        {"jet_first(name)", " FROM (SELECT * FROM t WHERE g = 1 ORDER BY rowid)", "'b'"},
        {"jet_last(name)", " FROM (SELECT * FROM t WHERE g = 1 ORDER BY rowid)", "'c'"},
        {"jet_first(name)", " FROM t WHERE g = 99", "NULL"},
        {"jet_var(amount)", " FROM t WHERE g = 1", "0.01"},
        {"round(jet_stdev(amount), 10)", " FROM t WHERE g = 1", "0.1"},
        {"jet_stdev(amount)", " FROM t WHERE g = 2", "NULL"},
        {"jet_sum_cur(name)", " FROM t WHERE g = 2", "error [13] Type mismatch"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(evaluate(c.expression, c.tail), c.expected) << c.expression << c.tail;

    // Per group.
    EXPECT_EQ(evaluate("group_concat(s, ';')",
                       " FROM (SELECT jet_sum_cur(amount) AS s FROM t GROUP BY g ORDER BY g)"),
              "'0.6;19.95'");
}

} // namespace
