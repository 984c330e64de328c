// strconv.so on its own, called through the pointer types of its C header.

#include "strconv.h"

#include "familylibraries.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>

#include <vector>

namespace {

struct TStrConv
{
    StrConv_UTF8ToUnicode_t UTF8ToUnicode = nullptr;
    StrConv_UnicodeToUTF8_t UnicodeToUTF8 = nullptr;
    StrConv_FilterEntitiesIn_t FilterEntitiesIn = nullptr;
    StrConv_CharsetToCode_t CharsetToCode = nullptr;
    StrConv_CodeToCharset_t CodeToCharset = nullptr;
    StrConv_FindCharset_t FindCharset = nullptr;
    StrConv_AsciiToUnicode_t AsciiToUnicode = nullptr;
    StrConv_UnicodeToAscii_t UnicodeToAscii = nullptr;
    StrConv_ConvertToUnicode_t ConvertToUnicode = nullptr;
    StrConv_ConvertFromUnicode_t ConvertFromUnicode = nullptr;
    StrConv_CSVEncodeValues_t CSVEncodeValues = nullptr;
    StrConv_CSVDecodeValues_t CSVDecodeValues = nullptr;
    StrConv_FilterEntitiesOut_t FilterEntitiesOut = nullptr;
    StrConv_EncodeHttpPost_t EncodeHttpPost = nullptr;
    StrConv_Base64Encode_t Base64Encode = nullptr;
    StrConv_Base64Decode_t Base64Decode = nullptr;
    StrConv_GetBase64EncodeOutputSize_t GetBase64EncodeOutputSize = nullptr;
    StrConv_FreeMemory_t FreeMemory = nullptr;
};

TStrConv Lib;

// Units after the capacity must stay as they were.
constexpr char16_t Canary = 0x7F7F;
constexpr int CanaryCount = 4;

const char16_t *U16(const QString &text)
{
    return reinterpret_cast<const char16_t *>(text.utf16());
}

// A UTF-16 result buffer of a given capacity, followed by canaries.
struct TBuffer16
{
    explicit TBuffer16(uint32_t capacity) : Capacity(capacity), Units(capacity + CanaryCount, Canary) {}
    char16_t **Ref()
    {
        Start = Units.data();
        return &Start;
    }
    QString Text() const { return QString::fromUtf16(Units.data()); }
    bool CanariesIntact() const
    {
        for (std::size_t i = Capacity; i < Units.size(); ++i) {
            if (Units[i] != Canary)
                return false;
        }
        return true;
    }
    uint32_t Capacity;
    std::vector<char16_t> Units;
    char16_t *Start = nullptr;
};

struct TBuffer8
{
    explicit TBuffer8(uint32_t capacity) : Capacity(capacity), Bytes(capacity + CanaryCount, char(0x7F)) {}
    char **Ref()
    {
        Start = Bytes.data();
        return &Start;
    }
    QByteArray Text() const { return QByteArray(Bytes.data()); }
    bool CanariesIntact() const
    {
        for (std::size_t i = Capacity; i < Bytes.size(); ++i) {
            if (Bytes[i] != char(0x7F))
                return false;
        }
        return true;
    }
    uint32_t Capacity;
    std::vector<char> Bytes;
    char *Start = nullptr;
};

QString Utf8ToUnicode(const QByteArray &bytes)
{
    TBuffer16 out(uint32_t(bytes.size()) + 1);
    if (Lib.UTF8ToUnicode(bytes.constData(), out.Ref(), out.Capacity) != 1)
        return QStringLiteral("<cut>");
    return out.Text();
}

QByteArray UnicodeToUtf8(const QString &text)
{
    TBuffer8 out(uint32_t(text.size()) * 3 + 1);
    if (Lib.UnicodeToUTF8(U16(text), out.Ref(), out.Capacity) != 1)
        return "<cut>";
    return out.Text();
}

QString EntitiesIn(const QString &text, uint8_t types)
{
    TBuffer16 out(uint32_t(text.size()) * 8 + 1);
    if (Lib.FilterEntitiesIn(U16(text), out.Ref(), out.Capacity, types) != 1)
        return QStringLiteral("<failed>");
    return out.Text();
}

QString EntitiesOut(const QString &text)
{
    TBuffer16 out(uint32_t(text.size()) + 1);
    if (Lib.FilterEntitiesOut(U16(text), out.Ref(), out.Capacity) != 1)
        return QStringLiteral("<failed>");
    return out.Text();
}

QByteArray Base64(const QByteArray &bytes)
{
    TBuffer8 out(Lib.GetBase64EncodeOutputSize(uint32_t(bytes.size())));
    if (Lib.Base64Encode(reinterpret_cast<const uint8_t *>(bytes.constData()), uint32_t(bytes.size()), out.Ref(),
                         out.Capacity) != 1 || !out.CanariesIntact())
        return "<failed>";
    return out.Text();
}

QStringList CsvDecode(const QString &record, char16_t separator)
{
    uint32_t count = 99;
    char16_t **values = Lib.CSVDecodeValues(U16(record), separator, &count);
    if (!values) {
        if (count != 0)
            return {QStringLiteral("<count not cleared>")};
        return {QStringLiteral("<malformed>")};
    }
    QStringList list;
    for (uint32_t i = 0; i < count; ++i)
        list << QString::fromUtf16(values[i]);
    if (values[count] != nullptr)
        list << QStringLiteral("<array not NULL-terminated>");
    Lib.FreeMemory(values);
    return list;
}

QString CsvEncode(const QStringList &values, char16_t separator)
{
    std::vector<const char16_t *> pointers;
    uint32_t units = 0;
    for (const QString &value : values) {
        pointers.push_back(U16(value));
        units += uint32_t(value.size());
    }
    TBuffer16 out(2 * units + 3 * uint32_t(values.size()) + 1);
    if (Lib.CSVEncodeValues(pointers.data(), uint32_t(pointers.size()), separator, out.Ref(), out.Capacity) != 1)
        return QStringLiteral("<failed>");
    return out.Text();
}

} // namespace

class TestStrConvLibrary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLibrary library(QCoreApplication::applicationDirPath() + u'/' + FamilyLibraryFileName(TFamilyLibrary::StrConv));
        QVERIFY2(library.load(), qPrintable(library.errorString()));
        auto resolve = [&library](auto &pointer, const char *name) {
            pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(library.resolve(name));
            if (!pointer)
                QFAIL(name);
        };
        resolve(Lib.UTF8ToUnicode, "StrConv_UTF8ToUnicode");
        resolve(Lib.UnicodeToUTF8, "StrConv_UnicodeToUTF8");
        resolve(Lib.FilterEntitiesIn, "StrConv_FilterEntitiesIn");
        resolve(Lib.CharsetToCode, "StrConv_CharsetToCode");
        resolve(Lib.CodeToCharset, "StrConv_CodeToCharset");
        resolve(Lib.FindCharset, "StrConv_FindCharset");
        resolve(Lib.AsciiToUnicode, "StrConv_AsciiToUnicode");
        resolve(Lib.UnicodeToAscii, "StrConv_UnicodeToAscii");
        resolve(Lib.ConvertToUnicode, "StrConv_ConvertToUnicode");
        resolve(Lib.ConvertFromUnicode, "StrConv_ConvertFromUnicode");
        resolve(Lib.CSVEncodeValues, "StrConv_CSVEncodeValues");
        resolve(Lib.CSVDecodeValues, "StrConv_CSVDecodeValues");
        resolve(Lib.FilterEntitiesOut, "StrConv_FilterEntitiesOut");
        resolve(Lib.EncodeHttpPost, "StrConv_EncodeHttpPost");
        resolve(Lib.Base64Encode, "StrConv_Base64Encode");
        resolve(Lib.Base64Decode, "StrConv_Base64Decode");
        resolve(Lib.GetBase64EncodeOutputSize, "StrConv_GetBase64EncodeOutputSize");
        resolve(Lib.FreeMemory, "StrConv_FreeMemory");
    }

    void decodesUtf8_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("Polish letters") << QByteArray("za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87") << QStringLiteral("zażółć");
        QTest::newRow("times, cube, mu") << QByteArray("\xC3\x97\xC2\xB3\xCE\xBC") << QStringLiteral("×³μ");
        QTest::newRow("astral") << QByteArray("\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF") << QStringLiteral("\U0001F600\U0010FFFF");
        QTest::newRow("lone continuation") << QByteArray("a\x80z") << QStringLiteral("a\uFFFDz");
        QTest::newRow("invalid lead bytes") << QByteArray("\xC0\xAF\xFF") << QStringLiteral("\uFFFD\uFFFD\uFFFD");
        QTest::newRow("overlong three bytes") << QByteArray("\xE0\x80\xAF") << QStringLiteral("\uFFFD\uFFFD\uFFFD");
        QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << QStringLiteral("\uFFFD\uFFFD\uFFFD");
        QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD");
        QTest::newRow("truncated before letter") << QByteArray("\xE2\x82z") << QStringLiteral("\uFFFDz");
        QTest::newRow("truncated at end") << QByteArray("z\xF0\x9F\x98") << QStringLiteral("z\uFFFD");
    }

    void decodesUtf8()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(Utf8ToUnicode(bytes), text);
    }

    void encodesUtf8_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Polish letters") << QStringLiteral("Łódź") << QByteArray("\xC5\x81\xC3\xB3\x64\xC5\xBA");
        QTest::newRow("astral") << QStringLiteral("\U0001D11E") << QByteArray("\xF0\x9D\x84\x9E");
        QTest::newRow("lone high surrogate at end") << (QStringLiteral("a") + QChar(0xD83D)) << QByteArray("a\xEF\xBF\xBD");
        QTest::newRow("lone low surrogate") << (QChar(0xDC00) + QStringLiteral("b")) << QByteArray("\xEF\xBF\xBD" "b");
        QTest::newRow("reversed pair") << (QString(QChar(0xDE00)) + QChar(0xD83D)) << QByteArray("\xEF\xBF\xBD\xEF\xBF\xBD");
    }

    void encodesUtf8()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(UnicodeToUtf8(text), bytes);
    }

    void utf8RoundTripsEveryCodePointClass()
    {
        QString text;
        for (char32_t cp : {char32_t(1), char32_t(0x7F), char32_t(0x80), char32_t(0x7FF), char32_t(0x800),
                            char32_t(0xD7FF), char32_t(0xE000), char32_t(0xFFFD), char32_t(0xFFFF),
                            char32_t(0x10000), char32_t(0x10FFFF)})
            text += QString::fromUcs4(&cp, 1);
        QCOMPARE(UnicodeToUtf8(text), text.toUtf8());
        QCOMPARE(Utf8ToUnicode(text.toUtf8()), text);
    }

    void cutsOnCharacterBoundaryWithinCapacity_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("input");
        QTest::addColumn<uint>("capacity");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("complete");
        QTest::newRow("UTF8ToUnicode pair does not fit") << 0 << QStringLiteral("a\U0001F600") << 3u << QStringLiteral("a") << false;
        QTest::newRow("UTF8ToUnicode pair fits") << 0 << QStringLiteral("a\U0001F600") << 4u << QStringLiteral("a\U0001F600") << true;
        QTest::newRow("UTF8ToUnicode room for NUL only") << 0 << QStringLiteral("a") << 1u << QString() << false;
        QTest::newRow("UnicodeToUTF8 two-byte letter") << 1 << QStringLiteral("aż") << 3u << QStringLiteral("a") << false;
        QTest::newRow("UnicodeToUTF8 exact fit") << 1 << QStringLiteral("aż") << 4u << QStringLiteral("aż") << true;
        QTest::newRow("UnicodeToUTF8 astral") << 1 << QStringLiteral("\U0001F600") << 4u << QString() << false;
        QTest::newRow("FilterEntitiesIn whole entity only") << 2 << QStringLiteral("a&b") << 5u << QStringLiteral("a") << false;
        QTest::newRow("FilterEntitiesIn nothing after cut") << 2 << QStringLiteral("&b") << 2u << QString() << false;
        QTest::newRow("FilterEntitiesIn exact fit") << 2 << QStringLiteral("a&b") << 8u << QStringLiteral("a&amp;b") << true;
    }

    void cutsOnCharacterBoundaryWithinCapacity()
    {
        QFETCH(int, entry);
        QFETCH(QString, input);
        QFETCH(uint, capacity);
        QFETCH(QString, written);
        QFETCH(bool, complete);
        uint8_t result;
        bool intact;
        QString text;
        if (entry == 1) {
            TBuffer8 out(capacity);
            result = Lib.UnicodeToUTF8(U16(input), out.Ref(), capacity);
            text = QString::fromUtf8(out.Text());
            intact = out.CanariesIntact();
        } else {
            TBuffer16 out(capacity);
            const QByteArray utf8 = input.toUtf8();
            result = entry == 0 ? Lib.UTF8ToUnicode(utf8.constData(), out.Ref(), capacity)
                                : Lib.FilterEntitiesIn(U16(input), out.Ref(), capacity, 0);
            text = out.Text();
            intact = out.CanariesIntact();
        }
        QCOMPARE(text, written);
        QCOMPARE(result, uint8_t(complete ? 1 : 0));
        QVERIFY(intact);
    }

    void refusesUnusableBuffers()
    {
        TBuffer16 none(0);
        QCOMPARE(Lib.UTF8ToUnicode("a", none.Ref(), 0), uint8_t(0));
        QVERIFY(none.CanariesIntact());
        char16_t *null16 = nullptr;
        QCOMPARE(Lib.UTF8ToUnicode("a", &null16, 10), uint8_t(0));
        QCOMPARE(Lib.FilterEntitiesIn(u"a", nullptr, 10, 0), uint8_t(0));
        char *null8 = nullptr;
        QCOMPARE(Lib.UnicodeToUTF8(u"a", &null8, 10), uint8_t(0));
        TBuffer16 out(4);
        QCOMPARE(Lib.UTF8ToUnicode(nullptr, out.Ref(), out.Capacity), uint8_t(0));
        QCOMPARE(out.Text(), QString());
    }

    void filtersEntitiesIn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("types");
        QTest::addColumn<QString>("filtered");
        QTest::newRow("five reserved") << QStringLiteral("&<>\"'") << 0 << QStringLiteral("&amp;&lt;&gt;&quot;&apos;");
        QTest::newRow("other text untouched") << QStringLiteral("1 imp. gal = 4,54609 l; m³ ×") << 0
                                             << QStringLiteral("1 imp. gal = 4,54609 l; m³ ×");
        QTest::newRow("numeric non-ASCII") << QStringLiteral("ą<\U0001F600~") << int(STRCONV_ENT_NUMERIC_NON_ASCII)
                                           << QStringLiteral("&#261;&lt;&#128512;~");
        QTest::newRow("unknown flag refused") << QStringLiteral("a") << 0x80 << QStringLiteral("<failed>");
    }

    void filtersEntitiesIn()
    {
        QFETCH(QString, text);
        QFETCH(int, types);
        QFETCH(QString, filtered);
        QCOMPARE(EntitiesIn(text, uint8_t(types)), filtered);
    }

    void filtersEntitiesOut_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("five reserved") << QStringLiteral("&amp;&lt;&gt;&quot;&apos;") << QStringLiteral("&<>\"'");
        QTest::newRow("named signs") << QStringLiteral("m&sup3; &times; &micro;l&nbsp;") << QStringLiteral("m³ × \u00B5l\u00A0");
        QTest::newRow("numeric") << QStringLiteral("&#261;&#x105;&#X105;&#128512;") << QStringLiteral("ąąą\U0001F600");
        QTest::newRow("numeric outside Unicode") << QStringLiteral("&#0;&#xD800;&#x110000;&#99999999999999;")
                                                 << QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD");
        QTest::newRow("not references") << QStringLiteral("a & b &amp &unknown; &#; &#x; &#12a;")
                                        << QStringLiteral("a & b &amp &unknown; &#; &#x; &#12a;");
        QTest::newRow("ampersand at end") << QStringLiteral("x&") << QStringLiteral("x&");
        QTest::newRow("decoded once only") << QStringLiteral("&amp;lt;") << QStringLiteral("&lt;");
    }

    void filtersEntitiesOut()
    {
        QFETCH(QString, text);
        QFETCH(QString, decoded);
        QCOMPARE(EntitiesOut(text), decoded);
    }

    void entitiesRoundTrip()
    {
        const QString text = QStringLiteral("<p a=\"1\">Tom & Jerry's m³ \U0001F600</p>");
        QCOMPARE(EntitiesOut(EntitiesIn(text, 0)), text);
        QCOMPARE(EntitiesOut(EntitiesIn(text, STRCONV_ENT_NUMERIC_NON_ASCII)), text);
    }

    void base64Vectors_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("f") << QByteArray("f") << QByteArray("Zg==");
        QTest::newRow("fo") << QByteArray("fo") << QByteArray("Zm8=");
        QTest::newRow("foo") << QByteArray("foo") << QByteArray("Zm9v");
        QTest::newRow("foobar") << QByteArray("foobar") << QByteArray("Zm9vYmFy");
        QTest::newRow("high bytes") << QByteArray("\xFB\xFF\x00\x01", 4) << QByteArray("+/8AAQ==");
    }

    void base64Vectors()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, encoded);
        QCOMPARE(Base64(bytes), encoded);
        std::vector<uint8_t> out(bytes.size() + 1);
        uint8_t *start = out.data();
        uint32_t length = 99;
        QCOMPARE(Lib.Base64Decode(encoded.constData(), &start, uint32_t(out.size()), &length), uint8_t(1));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(out.data()), length), bytes);
    }

    void base64RoundTripsRandomBytes()
    {
        QRandomGenerator random(20250101);
        for (int size = 0; size < 64; ++size) {
            QByteArray bytes(size, '\0');
            for (char &b : bytes)
                b = char(random.bounded(256));
            const QByteArray encoded = Base64(bytes);
            QCOMPARE(encoded, bytes.toBase64());
            std::vector<uint8_t> out(size + 1);
            uint8_t *start = out.data();
            uint32_t length = 0;
            QCOMPARE(Lib.Base64Decode(encoded.constData(), &start, uint32_t(out.size()), &length), uint8_t(1));
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(out.data()), length), bytes);
        }
    }

    void base64DecodesLenientText_data()
    {
        QTest::addColumn<QByteArray>("encoded");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("line breaks") << QByteArray("Zm9v\r\nYmFy\n") << QByteArray("foobar");
        QTest::newRow("no padding") << QByteArray("Zm8") << QByteArray("fo");
    }

    void base64DecodesLenientText()
    {
        QFETCH(QByteArray, encoded);
        QFETCH(QByteArray, bytes);
        uint8_t out[16];
        uint8_t *start = out;
        uint32_t length = 0;
        QCOMPARE(Lib.Base64Decode(encoded.constData(), &start, sizeof out, &length), uint8_t(1));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(out), length), bytes);
    }

    void base64RejectsBadText_data()
    {
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("foreign character") << QByteArray("Zm9v!");
        QTest::newRow("one character left") << QByteArray("Zm9vY");
        QTest::newRow("short padding") << QByteArray("Zg=");
        QTest::newRow("data after padding") << QByteArray("Zg==Zg==");
        QTest::newRow("padding only") << QByteArray("====");
        QTest::newRow("URL alphabet") << QByteArray("-_8=");
    }

    void base64RejectsBadText()
    {
        QFETCH(QByteArray, encoded);
        uint8_t out[16];
        uint8_t *start = out;
        uint32_t length = 99;
        QCOMPARE(Lib.Base64Decode(encoded.constData(), &start, sizeof out, &length), uint8_t(0));
        QCOMPARE(length, 0u);
    }

    void base64DecodeReportsNeededSize()
    {
        uint8_t out[2];
        uint8_t *start = out;
        uint32_t length = 0;
        QCOMPARE(Lib.Base64Decode("Zm9vYmFy", &start, sizeof out, &length), uint8_t(0));
        QCOMPARE(length, 6u);
    }

    void base64OutputSize_data()
    {
        QTest::addColumn<uint>("input");
        QTest::addColumn<uint>("size");
        QTest::newRow("empty") << 0u << 1u;
        QTest::newRow("one byte") << 1u << 5u;
        QTest::newRow("three bytes") << 3u << 5u;
        QTest::newRow("four bytes") << 4u << 9u;
        QTest::newRow("largest that fits") << 3221225469u << 4294967293u;
        QTest::newRow("first that does not fit") << 3221225472u << 0u;
        QTest::newRow("largest input") << 4294967295u << 0u;
    }

    void base64OutputSize()
    {
        QFETCH(uint, input);
        QFETCH(uint, size);
        QCOMPARE(Lib.GetBase64EncodeOutputSize(input), size);
    }

    void base64EncodeCutsWholeGroups()
    {
        TBuffer8 out(7);
        QCOMPARE(Lib.Base64Encode(reinterpret_cast<const uint8_t *>("foobar"), 6, out.Ref(), out.Capacity), uint8_t(0));
        QCOMPARE(out.Text(), QByteArray("Zm9v"));
        QVERIFY(out.CanariesIntact());
    }

    void csvRoundTrips_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("separator");
        QTest::addColumn<QString>("record");
        QTest::newRow("plain") << QStringList{QStringLiteral("a"), QStringLiteral("żółw")} << int(u',') << QStringLiteral("a,żółw");
        QTest::newRow("separator inside") << QStringList{QStringLiteral("a,b"), QStringLiteral("c")} << int(u',')
                                          << QStringLiteral("\"a,b\",c");
        QTest::newRow("quotes doubled") << QStringList{QStringLiteral("say \"hi\"")} << int(u',')
                                        << QStringLiteral("\"say \"\"hi\"\"\"");
        QTest::newRow("line break inside") << QStringList{QStringLiteral("1\r\n2"), QString()} << int(u',')
                                           << QStringLiteral("\"1\r\n2\",");
        QTest::newRow("empty values") << QStringList{QString(), QString(), QString()} << int(u',') << QStringLiteral(",,");
        QTest::newRow("one empty value") << QStringList{QString()} << int(u',') << QString();
        QTest::newRow("semicolon") << QStringList{QStringLiteral("4,54609"), QStringLiteral("l")} << int(u';')
                                   << QStringLiteral("4,54609;l");
    }

    void csvRoundTrips()
    {
        QFETCH(QStringList, values);
        QFETCH(int, separator);
        QFETCH(QString, record);
        QCOMPARE(CsvEncode(values, char16_t(separator)), record);
        QCOMPARE(CsvDecode(record, char16_t(separator)), values);
    }

    void csvDecodeRejectsMalformedRecords_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("separator");
        QTest::newRow("open quote") << QStringLiteral("\"abc") << int(u',');
        QTest::newRow("text after closing quote") << QStringLiteral("\"a\"b,c") << int(u',');
        QTest::newRow("second record") << QStringLiteral("a\nb") << int(u',');
        QTest::newRow("quote as separator") << QStringLiteral("a\"b") << int(u'"');
    }

    void csvDecodeRejectsMalformedRecords()
    {
        QFETCH(QString, record);
        QFETCH(int, separator);
        QCOMPARE(CsvDecode(record, char16_t(separator)), QStringList{QStringLiteral("<malformed>")});
    }

    void csvDecodeAcceptsOneFinalLineEnd()
    {
        QCOMPARE(CsvDecode(QStringLiteral("a,\"b\"\r\n"), u','), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        Lib.FreeMemory(nullptr);
    }

    void csvEncodeCutsWholeValues()
    {
        const char16_t *values[] = {u"abc", u"d,e"};
        TBuffer16 out(8);
        QCOMPARE(Lib.CSVEncodeValues(values, 2, u',', out.Ref(), out.Capacity), uint8_t(0));
        QCOMPARE(out.Text(), QStringLiteral("abc"));
        QVERIFY(out.CanariesIntact());
    }

    void charsetNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("code");
        QTest::newRow("UTF-8") << QByteArray("UTF-8") << STRCONV_CP_UTF8;
        QTest::newRow("blanks around") << QByteArray(" windows-1250\t") << STRCONV_CP_WINDOWS1250;
        QTest::newRow("alias") << QByteArray("Latin2") << STRCONV_CP_LATIN2;
        QTest::newRow("cp1252") << QByteArray("CP1252") << STRCONV_CP_WINDOWS1252;
        QTest::newRow("ascii") << QByteArray("us-ascii") << STRCONV_CP_ASCII;
        QTest::newRow("unknown") << QByteArray("koi8-r") << 0;
        QTest::newRow("empty") << QByteArray("") << 0;
        QTest::newRow("prefix of a name") << QByteArray("utf") << 0;
    }

    void charsetNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, code);
        QCOMPARE(Lib.CharsetToCode(name.constData()), code);
        if (code != 0)
            QCOMPARE(Lib.CharsetToCode(Lib.CodeToCharset(code)), code);
    }

    void charsetCodes()
    {
        QCOMPARE(QByteArray(Lib.CodeToCharset(STRCONV_CP_WINDOWS1250)), QByteArray("windows-1250"));
        QCOMPARE(QByteArray(Lib.CodeToCharset(STRCONV_CP_UTF8)), QByteArray("utf-8"));
        QVERIFY(!Lib.CodeToCharset(0));
        QVERIFY(!Lib.CodeToCharset(866));
    }

    void findsDeclaredCharset_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("HTTP header") << QByteArray("Content-Type: text/html; charset=UTF-8") << STRCONV_CP_UTF8;
        QTest::newRow("HTML meta") << QByteArray("<meta charset=\"windows-1250\">") << STRCONV_CP_WINDOWS1250;
        QTest::newRow("XML declaration") << QByteArray("<?xml version=\"1.0\" encoding = 'ISO-8859-2'?>") << STRCONV_CP_LATIN2;
        QTest::newRow("unknown charset") << QByteArray("charset=koi8-r") << 0;
        QTest::newRow("word without value") << QByteArray("the charset is utf-8") << 0;
        QTest::newRow("word at end") << QByteArray("charset") << 0;
    }

    void findsDeclaredCharset()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, code);
        QCOMPARE(Lib.FindCharset(text.constData()), code);
    }

    void eightBitCharsetsAgreeWithSystemDecoder_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("systemName");
        QTest::newRow("windows-1250") << STRCONV_CP_WINDOWS1250 << QByteArray("windows-1250");
        QTest::newRow("ISO-8859-2") << STRCONV_CP_LATIN2 << QByteArray("ISO-8859-2");
        QTest::newRow("windows-1252") << STRCONV_CP_WINDOWS1252 << QByteArray("windows-1252");
        QTest::newRow("ISO-8859-1") << STRCONV_CP_LATIN1 << QByteArray("ISO-8859-1");
    }

    void eightBitCharsetsAgreeWithSystemDecoder()
    {
        QFETCH(int, code);
        QFETCH(QByteArray, systemName);
        QStringDecoder decoder(systemName.constData());
        QVERIFY(decoder.isValid());
        for (int byte = 1; byte < 256; ++byte) {
            const char input[2] = {char(byte), '\0'};
            TBuffer16 out(2);
            QCOMPARE(Lib.ConvertToUnicode(input, code, out.Ref(), out.Capacity), uint8_t(1));
            const char16_t ours = out.Units[0];
            const QString theirs = decoder.decode(QByteArrayView(input, 1));
            QCOMPARE(theirs.size(), 1);
            if (ours == 0xFFFD) {
                // A byte the charset leaves undefined; the system decoder passes it through as a C1 control.
                QVERIFY2(theirs[0].unicode() >= 0x80 && theirs[0].unicode() <= 0x9F, qPrintable(QString::number(byte)));
                continue;
            }
            QCOMPARE(QString(QChar(ours)), theirs);
            TBuffer8 back(2);
            const char16_t single[2] = {ours, 0};
            QCOMPARE(Lib.ConvertFromUnicode(single, code, back.Ref(), back.Capacity), uint8_t(1));
            QCOMPARE(back.Text(), QByteArray(input));
        }
    }

    void eightBitConversionsReplaceWhatTheyLack()
    {
        TBuffer8 out(16);
        QCOMPARE(Lib.ConvertFromUnicode(u"Zażółć €", STRCONV_CP_LATIN2, out.Ref(), out.Capacity), uint8_t(1));
        QCOMPARE(out.Text(), QByteArray("Za\xBF\xF3\xB3\xE6 ?"));
        QCOMPARE(Lib.UnicodeToAscii(u"m³ \U0001F600", out.Ref(), out.Capacity), uint8_t(1));
        QCOMPARE(out.Text(), QByteArray("m? ?"));
        TBuffer16 text(8);
        QCOMPARE(Lib.AsciiToUnicode("a\xC5\xBC", text.Ref(), text.Capacity), uint8_t(1));
        QCOMPARE(text.Text(), QStringLiteral("a\uFFFD\uFFFD"));
        QCOMPARE(Lib.ConvertToUnicode("a", 866, text.Ref(), text.Capacity), uint8_t(0));
        QCOMPARE(Lib.ConvertToUnicode("\xC5\xBC", STRCONV_CP_UTF8, text.Ref(), text.Capacity), uint8_t(1));
        QCOMPARE(text.Text(), QStringLiteral("ż"));
    }

    void encodesHttpPost_data()
    {
        QTest::addColumn<QStringList>("pairs");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("plain") << QStringList{QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("b"), QStringLiteral("x y")}
                               << QByteArray("a=1&b=x+y");
        QTest::newRow("reserved and Polish") << QStringList{QStringLiteral("q"), QStringLiteral("ż & a=b")}
                                             << QByteArray("q=%C5%BC+%26+a%3Db");
        QTest::newRow("unreserved kept") << QStringList{QStringLiteral("k-_.*"), QStringLiteral("~+\U0001F600")}
                                         << QByteArray("k-_.*=%7E%2B%F0%9F%98%80");
        QTest::newRow("empty value") << QStringList{QStringLiteral("a"), QString()} << QByteArray("a=");
        QTest::newRow("no pairs") << QStringList{} << QByteArray();
    }

    void encodesHttpPost()
    {
        QFETCH(QStringList, pairs);
        QFETCH(QByteArray, body);
        std::vector<const char16_t *> names, values;
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
            names.push_back(U16(pairs[i]));
            values.push_back(U16(pairs[i + 1]));
        }
        TBuffer8 out(64);
        QCOMPARE(Lib.EncodeHttpPost(names.data(), values.data(), uint32_t(names.size()), out.Ref(), out.Capacity),
                 uint8_t(1));
        QCOMPARE(out.Text(), body);
    }

    void httpPostCutsWholeCharacters()
    {
        const char16_t *names[] = {u"q"};
        const char16_t *values[] = {u"aż"};
        TBuffer8 out(8);
        QCOMPARE(Lib.EncodeHttpPost(names, values, 1, out.Ref(), out.Capacity), uint8_t(0));
        QCOMPARE(out.Text(), QByteArray("q=a"));
        QVERIFY(out.CanariesIntact());
    }
};

QTEST_GUILESS_MAIN(TestStrConvLibrary)
#include "tst_strconvlibrary.moc"
