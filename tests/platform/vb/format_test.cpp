#include "platform/vb/currency.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "vbtest.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    QVariant value;
    const char *pattern;
    const char *expected;
};

void check(const Case *cases, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const Case &c = cases[i];
        EXPECT_EQ(vb::Format(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected))
            << "Format(" << c.value.toString().toStdString() << ", \"" << c.pattern << "\")";
    }
}

QVariant cur(const char *s)
{
    return QVariant::fromValue(*vb::Currency::parse(QString::fromLatin1(s)));
}

} // namespace

TEST(VbFormat, DatePatterns)
{
    const QVariant t = QVariant(vb::makeDateTime(2010, 1, 5, 16, 7, 9)); // a Tuesday
    const QVariant morning = QVariant(vb::makeDateTime(2010, 11, 25, 0, 30));
    const Case cases[] = {
        {t, "dd-mmm-yyyy", "05-Jan-2010"},
        {t, "d/mm/yyyy", "5/01/2010"},
        {t, "ddd dd mmm yyyy", "Tue 05 Jan 2010"},
        {t, "dddd, d mmmm yyyy", "Tuesday, 5 January 2010"},
        {t, "DD/MM/YY", "05/01/10"},
        {t, "mmdd", "0105"},
        {t, "yyyymmdd", "20100105"},
        {t, "hh:mm", "16:07"},
        {t, "h:mm:ss AM/PM", "4:07:09 PM"},
        {t, "hh:nn am/pm", "04:07 pm"},
        {t, "h:nnA/P", "4:07P"},
        {t, "h:nna/p", "4:07p"},
        {t, "h AMPM", "4 PM"},
        {morning, "h:mm AM/PM", "12:30 AM"},
        {t, "mm:ss", "07:09"},
        {t, "q", "1"},
        {t, "w", "3"},
        {t, "ww", "2"},
        {t, "y", "5"},
        {t, "\"Week of\" d mmm", "Week of 5 Jan"},
        {t, "d \\d\\a\\y", "5 day"},
        {t, "ddddd", "5/01/2010"},
        {t, "dddddd", "Tuesday, 5 January 2010"},
        {t, "ttttt", "4:07:09 PM"},
        {t, "c", "5/01/2010 4:07:09 PM"},
        {t, "General Date", "5/01/2010 4:07:09 PM"},
        {t, "Short Date", "5/01/2010"},
        {t, "Long Date", "Tuesday, 5 January 2010"},
        {t, "Medium Date", "05-Jan-10"},
        {t, "Short Time", "16:07"},
        {t, "Long Time", "4:07:09 PM"},
        {t, "Medium Time", "04:07 PM"},
        {QVariant(QStringLiteral("2010-01-05")), "dd/mm/yyyy", "05/01/2010"},
        {QVariant(QStringLiteral("5/01/2010")), "yyyy-mm-dd", "2010-01-05"},
        {QVariant(QStringLiteral("not a date")), "dd/mm/yyyy", "not a date"},
        {QVariant(40183.75), "d/mm/yyyy h:mm", "5/01/2010 18:00"},
        {QVariant(vb::zeroDate()), "dd/mm/yyyy", "30/12/1899"},
        {QVariant(), "dd/mm/yyyy", ""},
    };
    check(cases, std::size(cases));
}

TEST(VbFormat, NumberPatterns)
{
    const Case cases[] = {
        {1234.5, "$#,##0.00", "$1,234.50"},
        {-1234.5, "$#,##0.00", "-$1,234.50"},
        {1234567.891, "$#,###,##0.00;-$#,###,##0.00", "$1,234,567.89"},
        {-4.0, "$#,###,##0.00;-$#,###,##0.00", "-$4.00"},
        {-4.0, "$#####0.00;($#####0.00)", "($4.00)"},
        {0.0, "$0.00;-$0.00;\"nil\"", "nil"},
        {QVariant(), "0.00;-0.00;zero;\"none\"", "none"},
        {QVariant(), "0.00", ""},
        {0.5, "0.00", "0.50"},
        {0.5, "#.##", ".5"},
        {5.0, "#.##", "5."},
        {0.125, "0.00", "0.13"}, // Format rounds half away from zero
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {1.005, "0.00", "1.01"},
        {0.0, "#,##0", "0"},
        {0.0, "#", ""},
        {7.0, "#00000", "00007"},
        {0.456, "##0%", "46%"},
        {0.5, "##0.00%;-##0.00", "50.00%"},
        {-0.5, "##0.00%;-##0.00", "-0.50"},
        {12345.0, "0.00E+00", "1.23E+04"},
        {0.00012, "0.0E-0", "1.2E-4"},
        {5551234.0, "###-####", "555-1234"},
        {4.0, "$0.00-", "$4.00-"},
        {1234567.0, "#,##0,", "1,235"},
        {123456789012.0, "#,##0", "123,456,789,012"},
        {1.0, "0 \"hrs\"", "1 hrs"},
        {cur("1234.5678"), "$#,##0.00", "$1,234.57"},
        {cur("0.005"), "0.00", "0.01"},
        {cur("-0.0001"), "0.0000", "-0.0001"},
        {QVariant(QStringLiteral("1234.5")), "#,##0.00", "1,234.50"},
        {QVariant(QStringLiteral("abc")), "#,##0.00", "abc"},
        {QVariant(true), "0", "-1"},
        {qlonglong(42), "000", "042"},
    };
    check(cases, std::size(cases));
}

TEST(VbFormat, NamedNumberFormats)
{
    const Case cases[] = {
        {1234.5, "Currency", "$1,234.50"},
        {-1, "Currency", "-$1.00"},
        {cur("0.5"), "currency", "$0.50"},
        {1234.567, "Fixed", "1234.57"},
        {1234.567, "Standard", "1,234.57"},
        {0.256, "Percent", "25.60%"},
        {1234.5, "General Number", "1234.5"},
        {1234.5, "Scientific", "1.23E+03"},
        {-1, "Yes/No", "Yes"},
        {0, "Yes/No", "No"},
        {QVariant(QStringLiteral("1")), "True/False", "True"},
        {0, "On/Off", "Off"},
        {QVariant(), "Currency", ""},
    };
    check(cases, std::size(cases));
}

TEST(VbFormat, TextPatternsAndNoPattern)
{
    const Case cases[] = {
        {QVariant(QStringLiteral("smith")), ">", "SMITH"},
        {QVariant(QStringLiteral("SMITH")), "<", "smith"},
        {QVariant(QStringLiteral("ab")), "@@@@", "  ab"},
        {QVariant(QStringLiteral("ab")), "!@@@@", "ab  "},
        {QVariant(QStringLiteral("ab")), "&&&&", "ab"},
        {QVariant(QStringLiteral("abcdef")), "@@-@@", "abcd-ef"},
        {QVariant(QStringLiteral("0412345678")), "@@@@ @@@ @@@", "0412 345 678"},
        {QVariant(QString()), "@;\"(none)\"", "(none)"},
        {QVariant(0.5), "", "0.5"},
        {QVariant(QStringLiteral("x")), "", "x"},
        {QVariant(), "", ""},
        {QVariant(vb::makeDateTime(2010, 1, 5)), "", "5/01/2010"},
    };
    check(cases, std::size(cases));
}
