// The program's wrapper of strconv.so: loading, the call pattern, and text through the real module.

#include "strconv.h"

#include "exception.h"
#include "familylibraries.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QTemporaryDir>
#include <QTest>

namespace {

enum TWrapper { Utf8ToUnicode, UnicodeToUtf8, EntitiesIn };

QString ModulePath()
{
    return QCoreApplication::applicationDirPath() + u'/' + FamilyLibraryFileName(TFamilyLibrary::StrConv);
}

QString ProbePath()
{
    QString path = ModulePath();
    return path.replace(QStringLiteral("strconv."), QStringLiteral("strconv_probe."));
}

QString LackingPath(const QString &entryPoint)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/strconv-lacking/") + entryPoint + u'/'
           + FamilyLibraryFileName(TFamilyLibrary::StrConv);
}

QString InitError(const QString &path)
{
    try {
        InitStrConv(path.toLocal8Bit());
    } catch (const Exception &e) {
        return e.Message();
    }
    return QString();
}

// The probe's controls, reached through the same loaded module the wrapper calls.
struct TProbe
{
    void (*SetMode)(int) = nullptr;
    int (*Calls)() = nullptr;
    uint32_t (*LastCapacity)() = nullptr;
    const char16_t *(*LastInput)() = nullptr;
};

TProbe UseProbe(int mode)
{
    InitStrConv(ProbePath().toLocal8Bit());
    QLibrary library(ProbePath());
    TProbe probe;
    probe.SetMode = reinterpret_cast<void (*)(int)>(library.resolve("Probe_SetMode"));
    probe.Calls = reinterpret_cast<int (*)()>(library.resolve("Probe_Calls"));
    probe.LastCapacity = reinterpret_cast<uint32_t (*)()>(library.resolve("Probe_LastCapacity"));
    probe.LastInput = reinterpret_cast<const char16_t *(*)()>(library.resolve("Probe_LastInput"));
    if (!probe.SetMode || !probe.Calls || !probe.LastCapacity || !probe.LastInput)
        qFatal("strconv_probe module lacks its controls");
    probe.SetMode(mode);
    return probe;
}

// Runs one wrapper on text given as a QString (UTF-8 bytes of it for UTF8ToUnicode); the result as text.
QString Run(TWrapper wrapper, const QString &source)
{
    switch (wrapper) {
    case Utf8ToUnicode: return UTF8ToUnicode_2(source.toUtf8());
    case UnicodeToUtf8: return QString::fromUtf8(UnicodeToUTF8_2(source));
    case EntitiesIn: return FilterEntitiesIn_2(source, 0);
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(TWrapper)

class TestStrConv : public QObject
{
    Q_OBJECT

private slots:
    // Runs first: nothing has loaded the module yet.
    void wrappersRaiseBeforeLoadedButPassEmptyText()
    {
        if (StrConvLoaded())
            QSKIP("the module was loaded by an earlier test");
        QVERIFY(UTF8ToUnicode_2(QByteArray()).isEmpty());
        QVERIFY_THROWS_EXCEPTION(Exception, UTF8ToUnicode_2("a"));
        QVERIFY_THROWS_EXCEPTION(Exception, UnicodeToUTF8_2(QStringLiteral("a")));
        QVERIFY_THROWS_EXCEPTION(Exception, FilterEntitiesIn_2(QStringLiteral("a"), 0));
    }

    void initFailsWhenModuleCannotLoad_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing file") << QCoreApplication::applicationDirPath() + QStringLiteral("/none/strconv.so");
        QTest::newRow("empty path") << QString();
        QTest::newRow("not a module") << QStringLiteral("notamodule");
    }

    void initFailsWhenModuleCannotLoad()
    {
        QFETCH(QString, path);
        QTemporaryDir dir;
        if (path == QLatin1String("notamodule")) {
            path = dir.filePath(FamilyLibraryFileName(TFamilyLibrary::StrConv));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("this is text, not a shared module\n");
        }
        QCOMPARE(InitError(path), QStringLiteral("Cannot initialize ") + FamilyLibraryFileName(TFamilyLibrary::StrConv));
    }

    void initFailsWhenModuleLacksAnEntryPoint_data()
    {
        QTest::addColumn<QString>("entryPoint");
        for (const char *name :
             {"StrConv_UTF8ToUnicode", "StrConv_UnicodeToUTF8", "StrConv_FilterEntitiesIn", "StrConv_CharsetToCode",
              "StrConv_CodeToCharset", "StrConv_FindCharset", "StrConv_AsciiToUnicode", "StrConv_UnicodeToAscii",
              "StrConv_ConvertToUnicode", "StrConv_ConvertFromUnicode", "StrConv_CSVEncodeValues",
              "StrConv_CSVDecodeValues", "StrConv_FilterEntitiesOut", "StrConv_EncodeHttpPost",
              "StrConv_Base64Encode", "StrConv_Base64Decode", "StrConv_GetBase64EncodeOutputSize",
              "StrConv_FreeMemory"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void initFailsWhenModuleLacksAnEntryPoint()
    {
        QFETCH(QString, entryPoint);
        const QString path = LackingPath(entryPoint);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        QCOMPARE(InitError(path), QStringLiteral("Cannot initialize ") + FamilyLibraryFileName(TFamilyLibrary::StrConv));
    }

    void initLoadsTheRealModule()
    {
        QCOMPARE(InitError(ModulePath()), QString());
        QVERIFY(StrConvLoaded());
    }

    void emptySourceGivesEmptyResultWithoutCall()
    {
        const TProbe probe = UseProbe(1);
        QString text = QStringLiteral("old");
        QByteArray bytes = "old";
        UTF8ToUnicode(QByteArray(), text);
        QVERIFY(text.isEmpty());
        UnicodeToUTF8(QString(), bytes);
        QVERIFY(bytes.isEmpty());
        text = QStringLiteral("old");
        FilterEntitiesIn(QString(), text, 0);
        QVERIFY(text.isEmpty());
        QCOMPARE(probe.Calls(), 0);
    }

    void passesCapacityAndSourceUpToNul_data()
    {
        QTest::addColumn<TWrapper>("wrapper");
        QTest::addColumn<QString>("source");
        QTest::addColumn<uint>("capacity");
        QTest::addColumn<QString>("received");
        const QString withNul = QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd");
        QTest::newRow("UTF8ToUnicode one byte") << Utf8ToUnicode << QStringLiteral("a") << 2u << QStringLiteral("a");
        QTest::newRow("UTF8ToUnicode counts bytes") << Utf8ToUnicode << QStringLiteral("ż") << 3u << QStringLiteral("\u00c5\u00bc");
        QTest::newRow("UTF8ToUnicode embedded NUL") << Utf8ToUnicode << withNul << 6u << QStringLiteral("ab");
        QTest::newRow("UnicodeToUTF8 one unit") << UnicodeToUtf8 << QStringLiteral("a") << 7u << QStringLiteral("a");
        QTest::newRow("UnicodeToUTF8 counts units") << UnicodeToUtf8 << QStringLiteral("\U0001F600") << 13u
                                                   << QStringLiteral("\U0001F600");
        QTest::newRow("UnicodeToUTF8 embedded NUL") << UnicodeToUtf8 << withNul << 31u << QStringLiteral("ab");
        QTest::newRow("FilterEntitiesIn one unit") << EntitiesIn << QStringLiteral("a") << 9u << QStringLiteral("a");
        QTest::newRow("FilterEntitiesIn embedded NUL") << EntitiesIn << withNul << 41u << QStringLiteral("ab");
    }

    void passesCapacityAndSourceUpToNul()
    {
        QFETCH(TWrapper, wrapper);
        QFETCH(QString, source);
        QFETCH(uint, capacity);
        QFETCH(QString, received);
        const TProbe probe = UseProbe(0);
        Run(wrapper, source);
        QCOMPARE(probe.Calls(), 1);
        QCOMPARE(probe.LastCapacity(), capacity);
        QCOMPARE(QString::fromUtf16(probe.LastInput()), received);
    }

    void keepsWholeBufferWhenLibraryWritesNoNul_data()
    {
        QTest::addColumn<TWrapper>("wrapper");
        QTest::addColumn<int>("length");
        QTest::newRow("UTF8ToUnicode") << Utf8ToUnicode << 4;
        QTest::newRow("UnicodeToUTF8") << UnicodeToUtf8 << 19;
        QTest::newRow("FilterEntitiesIn") << EntitiesIn << 25;
    }

    void keepsWholeBufferWhenLibraryWritesNoNul()
    {
        QFETCH(TWrapper, wrapper);
        QFETCH(int, length);
        UseProbe(1);
        QCOMPARE(Run(wrapper, QStringLiteral("abc")), QString(length, u'x'));
    }

    void ignoresChangesToTheBufferPointer()
    {
        UseProbe(2);
        QCOMPARE(UTF8ToUnicode_2("abc"), QStringLiteral("abc"));
        QCOMPARE(UnicodeToUTF8_2(QStringLiteral("abc")), QByteArray("abc"));
        QCOMPARE(FilterEntitiesIn_2(QStringLiteral("abc"), 0), QStringLiteral("abc"));
    }

    void roundTripsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("ASCII") << QStringLiteral("1 imp. gal = 4,54609 l");
        QTest::newRow("Polish letters") << QStringLiteral("Zażółć gęślą jaźń. ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
        QTest::newRow("signs") << QStringLiteral("2 × 3 m³, 5 μl, 1 µl");
        QTest::newRow("astral") << QStringLiteral("\U0001F600 \U0001D11E \U00010000\U0010FFFF");
    }

    void roundTripsText()
    {
        QFETCH(QString, text);
        QVERIFY(InitError(ModulePath()).isEmpty());
        const QByteArray utf8 = UnicodeToUTF8_2(text);
        QCOMPARE(utf8, text.toUtf8());
        QCOMPARE(UTF8ToUnicode_2(utf8), text);
        QCOMPARE(FilterEntitiesIn_2(text, 0), text);
    }

    void convertsOnlyUpToEmbeddedNul()
    {
        QVERIFY(InitError(ModulePath()).isEmpty());
        const QString text = QStringLiteral("ż&") + QChar(u'\0') + QStringLiteral("<b>");
        QCOMPARE(UTF8ToUnicode_2(text.toUtf8()), QStringLiteral("ż&"));
        QCOMPARE(UnicodeToUTF8_2(text), QStringLiteral("ż&").toUtf8());
        QCOMPARE(FilterEntitiesIn_2(text, 0), QStringLiteral("ż&amp;"));
    }

    void escapesMarkupCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("ampersand") << QStringLiteral("A&B") << QStringLiteral("A&amp;B");
        QTest::newRow("tag") << QStringLiteral("<p class=\"x\">") << QStringLiteral("&lt;p class=&quot;x&quot;&gt;");
        QTest::newRow("apostrophe") << QStringLiteral("it's") << QStringLiteral("it&apos;s");
        QTest::newRow("only reserved") << QStringLiteral("\"\"\"") << QStringLiteral("&quot;&quot;&quot;");
        QTest::newRow("entity text stays literal") << QStringLiteral("&amp;") << QStringLiteral("&amp;amp;");
    }

    void escapesMarkupCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QVERIFY(InitError(ModulePath()).isEmpty());
        QCOMPARE(FilterEntitiesIn_2(text, 0), escaped);
    }

    void replacesMalformedInput()
    {
        QVERIFY(InitError(ModulePath()).isEmpty());
        QCOMPARE(UTF8ToUnicode_2("a\xC3"), QStringLiteral("a\uFFFD"));
        QCOMPARE(UTF8ToUnicode_2("\xED\xA0\x80z"), QStringLiteral("\uFFFD\uFFFD\uFFFDz"));
        const QString loneSurrogate = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b");
        QCOMPARE(UnicodeToUTF8_2(loneSurrogate), QByteArray("a\xEF\xBF\xBD" "b"));
        QCOMPARE(FilterEntitiesIn_2(loneSurrogate, 0), QStringLiteral("a\uFFFDb"));
    }
};

QTEST_GUILESS_MAIN(TestStrConv)
#include "tst_strconv.moc"
