#include "numbertext.h"

#include "exception.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

// Every row names the locale it runs in; the functions must read it at each call.
class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void formatsGeneral_data();
    void formatsGeneral();
    void formatsWithDecimals_data();
    void formatsWithDecimals();
    void parses_data();
    void parses();
    void rejectsDigitGroupsThatAreNotInt64_data();
    void rejectsDigitGroupsThatAreNotInt64();
    void cleansNumberText_data();
    void cleansNumberText();
    void keepsDigitsAndLeadingMinus_data();
    void keepsDigitsAndLeadingMinus();
    void readsInt64_data();
    void readsInt64();
};

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
const QString Polish = QStringLiteral("pl_PL");
const QString English = QStringLiteral("en_US");

void UseLocale(const QString &name)
{
    QLocale::setDefault(QLocale(name));
}

} // namespace

void TestNumberText::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestNumberText::formatsGeneral_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("45.4609") << Polish << 45.4609 << "45,4609";
    QTest::newRow("4.54609") << Polish << 4.54609 << "4,54609";
    QTest::newRow("1/4.54609 to 15 digits") << Polish << 1 / 4.54609 << "0,219969248299088";
    QTest::newRow("0.1+0.2 loses the binary tail") << Polish << 0.1 + 0.2 << "0,3";
    QTest::newRow("2/3 rounds up") << Polish << 2.0 / 3 << "0,666666666666667";
    QTest::newRow("0.0001 still fixed") << Polish << 0.0001 << "0,0001";
    QTest::newRow("0.00012") << Polish << 0.00012 << "0,00012";
    QTest::newRow("0.00001 scientific") << Polish << 0.00001 << "1E-5";
    QTest::newRow("2.5E20") << Polish << 2.5e20 << "2,5E20";
    QTest::newRow("10^15 scientific") << Polish << 1e15 << "1E15";
    QTest::newRow("15 integer digits fixed") << Polish << 123456789012345.0 << "123456789012345";
    QTest::newRow("whole number padded with zeros") << Polish << 1200.0 << "1200";
    QTest::newRow("no thousands separators") << Polish << 1234.5 << "1234,5";
    QTest::newRow("rounding carries into 10^15") << Polish << 999999999999999.9 << "1E15";
    QTest::newRow("exact tie rounds away from zero") << Polish << 1000000000000005.0 << "1,00000000000001E15";
    QTest::newRow("-2") << Polish << -2.0 << "-2";
    QTest::newRow("negative scientific") << Polish << -1.5e-10 << "-1,5E-10";
    QTest::newRow("zero") << Polish << 0.0 << "0";
    QTest::newRow("negative zero") << Polish << -0.0 << "0";
    QTest::newRow("largest double") << Polish << std::numeric_limits<double>::max() << "1,79769313486232E308";
    QTest::newRow("smallest subnormal") << Polish << std::numeric_limits<double>::denorm_min() << "4,94065645841247E-324";
    QTest::newRow("infinity") << Polish << Inf << "INF";
    QTest::newRow("minus infinity") << Polish << -Inf << "-INF";
    QTest::newRow("NaN") << Polish << std::numeric_limits<double>::quiet_NaN() << "NAN";
    QTest::newRow("point locale 45.4609") << English << 45.4609 << "45.4609";
    QTest::newRow("point locale 2.5E20") << English << 2.5e20 << "2.5E20";
}

void TestNumberText::formatsGeneral()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    UseLocale(locale);
    QCOMPARE(FormatNumber(value, -1), text);
}

void TestNumberText::formatsWithDecimals_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero, no decimals") << Polish << 0.0 << 0 << "0";
    QTest::newRow("zero, two decimals") << Polish << 0.0 << 2 << "0,00";
    QTest::newRow("thousands separators") << Polish << 1234567.891 << 2 << "1\u00A0234\u00A0567,89";
    QTest::newRow("negative grouped") << Polish << -1234.5 << 1 << "-1\u00A0234,5";
    QTest::newRow("half rounds away from zero") << Polish << 0.5 << 0 << "1";
    QTest::newRow("2.5 rounds to 3") << Polish << 2.5 << 0 << "3";
    QTest::newRow("0.125 to two decimals") << Polish << 0.125 << 2 << "0,13";
    QTest::newRow("negative rounding to zero has no sign") << Polish << -0.001 << 2 << "0,00";
    QTest::newRow("15 digits, then zeros") << Polish << 123456789012345.6 << 2 << "123\u00A0456\u00A0789\u00A0012\u00A0346,00";
    QTest::newRow("more than 15 integer digits: general") << Polish << 1e15 << 2 << "1E15";
    QTest::newRow("decimals capped at 18") << Polish << 0.1 << 30 << "0,100000000000000000";
    QTest::newRow("infinity") << Polish << Inf << 2 << "INF";
    QTest::newRow("point locale") << English << 1234567.891 << 2 << "1,234,567.89";
}

void TestNumberText::formatsWithDecimals()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    UseLocale(locale);
    QCOMPARE(FormatNumber(value, decimals), text);
}

void TestNumberText::parses_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("empty") << Polish << "" << 0.0;
    QTest::newRow("no digits") << Polish << "abc" << 0.0;
    QTest::newRow("minus alone") << Polish << "-" << 0.0;
    QTest::newRow("e alone") << Polish << "e" << 0.0;
    QTest::newRow("decimal comma") << Polish << "12,5" << 12.5;
    QTest::newRow("point dropped") << Polish << "12.5" << 125.0;
    QTest::newRow("blanks dropped") << Polish << " 1 234,5 " << 1234.5;
    QTest::newRow("no-break space dropped") << Polish << "1\u00A0234,5" << 1234.5;
    QTest::newRow("plus dropped") << Polish << "+7" << 7.0;
    QTest::newRow("exponent") << Polish << "2,5e3" << 2500.0;
    QTest::newRow("capital exponent") << Polish << "2,5E3" << 2500.0;
    QTest::newRow("negative exponent") << Polish << "1e-3" << 0.001;
    QTest::newRow("exponent without mantissa") << Polish << "e5" << 0.0;
    QTest::newRow("negative") << Polish << "-3" << -3.0;
    QTest::newRow("trailing minus") << Polish << "3-" << 3.0;
    QTest::newRow("double minus") << Polish << "--3" << 3.0;
    QTest::newRow("second separator counts in the fraction length") << Polish << "0,5,5" << 0.055;
    QTest::newRow("0,1") << Polish << "0,1" << 0.1;
    QTest::newRow("fraction of 20 characters with leading zeros") << Polish << "0,00000000000000000001" << 1e-20;
    QTest::newRow("largest int64") << Polish << "9223372036854775807" << 9223372036854775807.0;
    QTest::newRow("zero with a huge exponent stays zero") << Polish << "0e99999" << 0.0;
    QTest::newRow("beyond double range") << Polish << "1e400" << Inf;
    QTest::newRow("negative beyond double range") << Polish << "-1e400" << -Inf;
    QTest::newRow("below double range") << Polish << "1e-400" << 0.0;
    QTest::newRow("point locale drops the comma") << English << "12,5" << 125.0;
    QTest::newRow("point locale decimal point") << English << "12.5" << 12.5;
}

void TestNumberText::parses()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(double, value);
    UseLocale(locale);
    const long double parsed = ParseNumber(text);
    // The result holds a double: nothing beyond double precision may be left in it.
    QCOMPARE(static_cast<long double>(static_cast<double>(parsed)), parsed);
    QCOMPARE(static_cast<double>(parsed), value);
}

void TestNumberText::rejectsDigitGroupsThatAreNotInt64_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("--") << "--" << "'-' is not a valid integer value";
    QTest::newRow("1e-") << "1e-" << "'-' is not a valid integer value";
    QTest::newRow("20-digit integer part") << "12345678901234567890" << "'12345678901234567890' is not a valid integer value";
    QTest::newRow("20-digit fraction") << "0,12345678901234567890" << "'12345678901234567890' is not a valid integer value";
    QTest::newRow("grouped 20 digits") << "12 345 678 901 234 567 890" << "'12345678901234567890' is not a valid integer value";
    QTest::newRow("int64 max + 1") << "9223372036854775808" << "'9223372036854775808' is not a valid integer value";
    QTest::newRow("exponent beyond int64") << "1e99999999999999999999" << "'99999999999999999999' is not a valid integer value";
}

void TestNumberText::rejectsDigitGroupsThatAreNotInt64()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    UseLocale(Polish);
    try {
        ParseNumber(text);
        QFAIL("no conversion error");
    } catch (const EConvertError &e) {
        QCOMPARE(e.Message(), message);
    }
}

void TestNumberText::cleansNumberText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");

    QTest::newRow("keeps sign, comma, e, digits") << Polish << " -1 234,5E+3 zł" << "-1234,5e3";
    QTest::newRow("drops the point") << Polish << "1.5" << "15";
    QTest::newRow("drops other letters") << Polish << "ABCdEf" << "e";
    QTest::newRow("drops non-ASCII digits") << Polish << "\u0661\u0662" << "";
    QTest::newRow("point locale drops the comma") << English << "1,5" << "15";
}

void TestNumberText::cleansNumberText()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QString, kept);
    UseLocale(locale);
    QCOMPARE(CleanNumberText(text), kept);
}

void TestNumberText::keepsDigitsAndLeadingMinus_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");

    QTest::newRow("-12-3") << "-12-3" << "-123";
    QTest::newRow("4-5") << "4-5" << "45";
    QTest::newRow("--") << "--" << "-";
    QTest::newRow("minus after a dropped character") << "a-1" << "-1";
    QTest::newRow("nothing") << "a,b" << "";
}

void TestNumberText::keepsDigitsAndLeadingMinus()
{
    QFETCH(QString, text);
    QFETCH(QString, kept);
    QCOMPARE(DigitsOnly(text), kept);
}

void TestNumberText::readsInt64_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty") << "" << qint64(0) << "";
    QTest::newRow("no digits") << "abc" << qint64(0) << "";
    QTest::newRow("-12-3") << "-12-3" << qint64(-123) << "";
    QTest::newRow("leading zeros beyond 19 digits") << "000000000000000000000042" << qint64(42) << "";
    QTest::newRow("max") << "9223372036854775807" << std::numeric_limits<qint64>::max() << "";
    QTest::newRow("min") << "-9223372036854775808" << std::numeric_limits<qint64>::min() << "";
    QTest::newRow("minus alone") << "x-y" << qint64(0) << "'-' is not a valid integer value";
    QTest::newRow("above max") << "9223372036854775808" << qint64(0) << "'9223372036854775808' is not a valid integer value";
    QTest::newRow("below min") << "-9223372036854775809" << qint64(0) << "'-9223372036854775809' is not a valid integer value";
}

void TestNumberText::readsInt64()
{
    QFETCH(QString, text);
    QFETCH(qint64, value);
    QFETCH(QString, message);
    try {
        QCOMPARE(DigitsToInt64(text), value);
        QVERIFY2(message.isEmpty(), "expected a conversion error");
    } catch (const EConvertError &e) {
        QCOMPARE(e.Message(), message);
    }
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
