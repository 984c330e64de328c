#include "docrender.h"

#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLibrary>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>
#include <type_traits>

namespace {

// The library is reached as the program reaches it: dlopen and its C header.
struct TApi
{
    DocRend_CreateObject_t CreateObject = nullptr;
    DocRend_FreeObject_t FreeObject = nullptr;
    DocRend_LoadXML_t LoadXML = nullptr;
    DocRend_BuildTree_t BuildTree = nullptr;
    DocRend_Paginate_t Paginate = nullptr;
    DocRend_RenderRange_t RenderRange = nullptr;
    DocRend_GetDocTitle_t GetDocTitle = nullptr;
    DocRend_GetPageCount_t GetPageCount = nullptr;
    DocRend_Render_t Render = nullptr;
    DocRend_GetSavedPagesFileCount_t GetSavedPagesFileCount = nullptr;
    DocRend_GetSavedPagesFiles_t GetSavedPagesFiles = nullptr;
    DocRend_Reset_t Reset = nullptr;
    DocRend_SetScale_t SetScale = nullptr;
    DocRend_SetKey_t SetKey = nullptr;
    DocRend_Encode_t Encode = nullptr;
    DocRend_Decode_t Decode = nullptr;
    DocRend_GetChildNodeCount_t GetChildNodeCount = nullptr;
    DocRend_GetChildNodes_t GetChildNodes = nullptr;
    DocRend_GetNodeType_t GetNodeType = nullptr;
    DocRend_GetPropertyCount_t GetPropertyCount = nullptr;
    DocRend_GetPropertyName_t GetPropertyName = nullptr;
    DocRend_GetPropertyValue_t GetPropertyValue = nullptr;
    DocRend_FindPropertyIndex_t FindPropertyIndex = nullptr;
};

TApi Api;

// A4 at 96 dpi, the preview's sheet.
constexpr uint32_t ScreenDpi = 96;
constexpr uint32_t ScreenWidth = 794;
constexpr uint32_t ScreenHeight = 1123;

class TObject
{
public:
    TObject() : Index(Api.CreateObject()) {}
    ~TObject() { Api.FreeObject(Index); }
    TObject(const TObject &) = delete;
    TObject &operator=(const TObject &) = delete;
    const uint32_t Index;
};

DOCRENDER ScreenRecord(const QByteArray &markup)
{
    DOCRENDER record{};
    record.lpXMLBuffer = markup.constData();
    record.nXMLBufferSize = static_cast<uint32_t>(markup.size());
    record.uResolution = ScreenDpi;
    record.uPhysicalWidth = ScreenWidth;
    record.uPhysicalHeight = ScreenHeight;
    return record;
}

bool LoadAndPaginate(uint32_t index, DOCRENDER &record)
{
    return Api.LoadXML(index, &record) && Api.BuildTree(index, &record) && Api.Paginate(index, &record);
}

QByteArray Fixture(const char *name)
{
    QFile file(QStringLiteral(DOCRENDER_TEST_DATA "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// 200 numbered paragraphs; every seventh is long enough to wrap over several lines.
QStringList NumberedParagraphs()
{
    QStringList paragraphs;
    for (int i = 1; i <= 200; ++i) {
        QString text = QStringLiteral("Akapit %1:").arg(i);
        const int words = i % 7 == 0 ? 60 : 3;
        for (int w = 1; w <= words; ++w)
            text += QStringLiteral(" słowo%1x%2").arg(i).arg(w);
        paragraphs << text;
    }
    return paragraphs;
}

QByteArray BodyMarkup(const QStringList &paragraphs)
{
    QByteArray markup = "<document><head><title>Długi</title></head><page width=\"210mm\" height=\"297mm\" "
                        "padding-left=\"20mm\" padding-top=\"20mm\" padding-right=\"20mm\" padding-bottom=\"20mm\" "
                        "interln=\"100%\" fontface=\"Arial\" fontsize=\"12\"/><body>\r\n";
    for (const QString &paragraph : paragraphs)
        markup += "<p>" + paragraph.toUtf8() + "</p>\r\n";
    return markup + "</body></document>\r\n";
}

QPdfWriter *CurrentWriter = nullptr;
int PageBreaks = 0;
DR_HDC NextCanvas = 0;
bool StopAtBreak = false;

DR_BOOL DOCREND_CALL PdfPageBreak(PAGEBREAKPARAMS *params)
{
    ++PageBreaks;
    return params->hCanvas != 0 && CurrentWriter->newPage();
}

DR_BOOL DOCREND_CALL CanvasPageBreak(PAGEBREAKPARAMS *params)
{
    ++PageBreaks;
    if (NextCanvas)
        params->hCanvas = NextCanvas;
    return !StopAtBreak;
}

// Renders the markup on a 300-dpi A4 PDF the way printing does; returns the text of each page.
QStringList PrintToPdf(const QByteArray &markup, const QString &path, uint32_t *pageCount = nullptr,
                       TObject *object = nullptr)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(300);
    QPainter painter(&writer);
    CurrentWriter = &writer;

    TObject local;
    const uint32_t index = object ? object->Index : local.Index;
    DOCRENDER record{};
    record.lpXMLBuffer = markup.constData();
    record.nXMLBufferSize = static_cast<uint32_t>(markup.size());
    record.hDevice = reinterpret_cast<DR_HDC>(&painter);
    record.hCanvas = record.hDevice;
    record.bCountPages = true;
    if (!LoadAndPaginate(index, record))
        return {};
    record.lpPageBreakProc = PdfPageBreak;
    record.bCountPages = false;
    if (!Api.RenderRange(index, &record))
        return {};
    if (pageCount)
        *pageCount = Api.GetPageCount(index);
    painter.end();

    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000))
        return {};
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QRect InkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(line[x]) < 128)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

QImage WhitePage(int width = ScreenWidth, int height = ScreenHeight)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QString Text(const std::function<DR_BOOL(char16_t *, uint32_t)> &copy, uint32_t size = 1024)
{
    std::vector<char16_t> buffer(size + 1, u'#');
    if (!copy(buffer.data(), size))
        return QStringLiteral("<false>");
    return QString::fromUtf16(buffer.data());
}

std::vector<uint32_t> Children(uint32_t index, uint32_t node)
{
    std::vector<uint32_t> children(Api.GetChildNodeCount(index, node));
    children.resize(Api.GetChildNodes(index, node, children.data(), static_cast<uint32_t>(children.size())));
    return children;
}

QString Property(uint32_t index, uint32_t node, const char16_t *name)
{
    const int32_t found = Api.FindPropertyIndex(index, node, name);
    if (found < 0)
        return QString();
    return Text([&](char16_t *buffer, uint32_t size) {
        return Api.GetPropertyValue(index, node, static_cast<uint32_t>(found), buffer, size);
    });
}

// The paragraph nodes of the body, in order.
std::vector<uint32_t> Paragraphs(uint32_t index)
{
    const std::vector<uint32_t> root = Children(index, 0);
    if (root.size() != 1)
        return {};
    for (uint32_t child : Children(index, root[0])) {
        if (Api.GetNodeType(index, child) == DR_NODE_BODY)
            return Children(index, child);
    }
    return {};
}

QString ParagraphText(uint32_t index, uint32_t paragraph)
{
    QString text;
    for (uint32_t run : Children(index, paragraph))
        text += Property(index, run, u"text");
    return text;
}

} // namespace

class TestDocRender : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void conversionDocumentIsOnePageWithItsTitle();
    void conversionDocumentPrintsItsTextToPdf();
    void longBodyKeepsEveryParagraphOnceAndInOrderAcrossPages();
    void paragraphAtAnExactPageEndIsPlacedOnce_data();
    void paragraphAtAnExactPageEndIsPlacedOnce();
    void paragraphNodesReportClassRunsAndTallerLinesForBiggerFont();
    void readsMarkupVariants_data();
    void readsMarkupVariants();
    void rejectsBadMarkup_data();
    void rejectsBadMarkup();
    void refusesStepsOutOfOrderAndUnknownObjects();
    void docTitleIsTruncatedToTheBuffer_data();
    void docTitleIsTruncatedToTheBuffer();
    void renderRangeClampsAndBreaksOnlyBetweenPages_data();
    void renderRangeClampsAndBreaksOnlyBetweenPages();
    void pageBreakHandsOverTheNextCanvasOrStops();
    void renderingFollowsPainterTransformAndScaleAndRestoresPainter_data();
    void renderingFollowsPainterTransformAndScaleAndRestoresPainter();
    void unsupportedEntryPointsReportFailureAndResetEmpties();
};

void TestDocRender::initTestCase()
{
    static QLibrary library(QCoreApplication::applicationDirPath() + QStringLiteral("/docrender.so"));
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    const auto resolve = [](auto &pointer, const char *name) {
        pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(library.resolve(name));
        QVERIFY2(pointer, name);
    };
    resolve(Api.CreateObject, "DocRend_CreateObject");
    resolve(Api.FreeObject, "DocRend_FreeObject");
    resolve(Api.LoadXML, "DocRend_LoadXML");
    resolve(Api.BuildTree, "DocRend_BuildTree");
    resolve(Api.Paginate, "DocRend_Paginate");
    resolve(Api.RenderRange, "DocRend_RenderRange");
    resolve(Api.GetDocTitle, "DocRend_GetDocTitle");
    resolve(Api.GetPageCount, "DocRend_GetPageCount");
    resolve(Api.Render, "DocRend_Render");
    resolve(Api.GetSavedPagesFileCount, "DocRend_GetSavedPagesFileCount");
    resolve(Api.GetSavedPagesFiles, "DocRend_GetSavedPagesFiles");
    resolve(Api.Reset, "DocRend_Reset");
    resolve(Api.SetScale, "DocRend_SetScale");
    resolve(Api.SetKey, "DocRend_SetKey");
    resolve(Api.Encode, "DocRend_Encode");
    resolve(Api.Decode, "DocRend_Decode");
    resolve(Api.GetChildNodeCount, "DocRend_GetChildNodeCount");
    resolve(Api.GetChildNodes, "DocRend_GetChildNodes");
    resolve(Api.GetNodeType, "DocRend_GetNodeType");
    resolve(Api.GetPropertyCount, "DocRend_GetPropertyCount");
    resolve(Api.GetPropertyName, "DocRend_GetPropertyName");
    resolve(Api.GetPropertyValue, "DocRend_GetPropertyValue");
    resolve(Api.FindPropertyIndex, "DocRend_FindPropertyIndex");
    QVERIFY(!Fixture("conversion.xml").isEmpty());
}

void TestDocRender::init()
{
    // Nothing of the library may reach the log.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    PageBreaks = 0;
    NextCanvas = 0;
    StopAtBreak = false;
}

void TestDocRender::conversionDocumentIsOnePageWithItsTitle()
{
    const QByteArray markup = Fixture("conversion.xml");
    TObject object;
    QVERIFY(object.Index != 0);
    QCOMPARE(Api.GetPageCount(object.Index), 0u);
    DOCRENDER record = ScreenRecord(markup);
    QVERIFY(LoadAndPaginate(object.Index, record));
    QCOMPARE(Api.GetPageCount(object.Index), 1u);
    QCOMPARE(Text([&](char16_t *b, uint32_t s) { return Api.GetDocTitle(object.Index, b, s); }, 256),
             QStringLiteral("Przeliczanie jednostek objętości & raport"));
}

void TestDocRender::conversionDocumentPrintsItsTextToPdf()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    uint32_t pageCount = 0;
    const QStringList pages = PrintToPdf(Fixture("conversion.xml"), folder.filePath(QStringLiteral("c.pdf")), &pageCount);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pageCount, 1u);
    QCOMPARE(PageBreaks, 0);
    const QStringList expected = {
        QStringLiteral("Przeliczanie jednostek objętości & raport"),
        QStringLiteral("Wartość i jednostka źródłowa: 2,5 × metr sześcienny (m³)"),
        QStringLiteral("Wartość i jednostka docelowa: 2500000000 × mikrolitr (μl)"),
        QStringLiteral("Przelicznik: 1 m³ = 1000000000 μl"),
        QStringLiteral("Kalkulator objętości wersja 1.0.0.0 © Żółta Łąka <www.example.pl>"),
        QStringLiteral("Data i czas wygenerowania dokumentu: 11.12.2024 03:42:17"),
    };
    QStringList lines = pages.first().split(u'\n', Qt::SkipEmptyParts);
    for (QString &line : lines)
        line = line.simplified();
    lines.removeAll(QString());
    QCOMPARE(lines, expected);
}

void TestDocRender::longBodyKeepsEveryParagraphOnceAndInOrderAcrossPages()
{
    const QStringList paragraphs = NumberedParagraphs();
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    TObject object;
    uint32_t pageCount = 0;
    const QStringList pages =
        PrintToPdf(BodyMarkup(paragraphs), folder.filePath(QStringLiteral("long.pdf")), &pageCount, &object);
    QVERIFY(pages.size() > 1);
    QCOMPARE(static_cast<uint32_t>(pages.size()), pageCount);
    QCOMPARE(PageBreaks, pages.size() - 1);

    // Page by page, the words read back are exactly the paragraphs' words, once each, in order.
    QString printed;
    for (const QString &page : pages) {
        QVERIFY(!page.simplified().isEmpty());
        printed += page + u' ';
    }
    QCOMPARE(printed.simplified(), paragraphs.join(u' ').simplified());

    // At least one paragraph runs over a page end and continues on the next page.
    const double contentHeight = 3508 - 2 * 20 * 300 / 25.4;
    const std::vector<uint32_t> nodes = Paragraphs(object.Index);
    QCOMPARE(nodes.size(), std::size_t{200});
    bool split = false;
    int lastPage = 1;
    for (uint32_t node : nodes) {
        const int page = Property(object.Index, node, u"page").toInt();
        QVERIFY(page >= lastPage);
        lastPage = page;
        split |= Property(object.Index, node, u"top").toDouble() + Property(object.Index, node, u"height").toDouble()
                 > contentHeight;
    }
    QVERIFY(split);
}

void TestDocRender::paragraphAtAnExactPageEndIsPlacedOnce_data()
{
    // Paragraph numbers count from k, the number of one-line paragraphs that exactly fill a page.
    QTest::addColumn<double>("heightDelta"); // pixels added to the k lines' height
    QTest::addColumn<int>("bottomMarginAt"); // the paragraph with margin-bottom="1ln"; 1 = none
    QTest::addColumn<int>("topMarginAt");    // the paragraph with margin-top="2ln"; 1 = none
    QTest::addColumn<int>("firstOnPage2");
    QTest::newRow("last line fits exactly") << 0.0 << 1 << 1 << 0;
    QTest::newRow("one pixel short of the last line") << -1.0 << 1 << 1 << -1;
    QTest::newRow("paragraph starting exactly at the page end") << 0.0 << -2 << 1 << -1;
    QTest::newRow("top margin dropped at a page top") << 0.0 << 1 << 0 << 0;
    QTest::newRow("top margin that pushes the line off the page") << 0.0 << 1 << -1 << -1;
    QTest::newRow("both margins meeting at the page end") << 0.0 << -2 << -1 << -1;
}

void TestDocRender::paragraphAtAnExactPageEndIsPlacedOnce()
{
    QFETCH(double, heightDelta);
    QFETCH(int, bottomMarginAt);
    QFETCH(int, topMarginAt);
    QFETCH(int, firstOnPage2);

    // The line height the renderer uses for 12-point Arial at 96 dpi, and the fewest lines
    // (8 or more) whose heights add up to a whole number of pixels (font metrics are in 1/64 px).
    QImage measure(1, 1, QImage::Format_RGB32);
    measure.setDotsPerMeterX(static_cast<int>(std::lround(ScreenDpi / 0.0254)));
    measure.setDotsPerMeterY(static_cast<int>(std::lround(ScreenDpi / 0.0254)));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(12);
    const double line = QFontMetricsF(font, &measure).lineSpacing();
    int k = 8;
    while (k < 512 && k * line != std::round(k * line))
        ++k;
    QVERIFY2(k < 512, qPrintable(QString::number(line, 'g', 17)));
    const double height = k * line + heightDelta;

    QByteArray markup = "<document><page padding-left=\"0\" padding-top=\"0\" padding-right=\"0\" "
                        "padding-bottom=\"0\" interln=\"100%\" fontface=\"Arial\" fontsize=\"12\"/><body>";
    const int count = 2 * k + 1;
    for (int i = 0; i < count; ++i) {
        markup += "<p";
        if (i == k + bottomMarginAt)
            markup += " margin-bottom=\"1ln\"";
        if (i == k + topMarginAt)
            markup += " margin-top=\"2ln\"";
        markup += ">Akapit " + QByteArray::number(i) + "</p>";
    }
    markup += "</body></document>";

    TObject object;
    DOCRENDER record = ScreenRecord(markup);
    record.uPhysicalHeight = static_cast<uint32_t>(height);
    QCOMPARE(double(record.uPhysicalHeight), height);
    QVERIFY(LoadAndPaginate(object.Index, record));
    const std::vector<uint32_t> nodes = Paragraphs(object.Index);
    QCOMPARE(nodes.size(), std::size_t(count));

    // Each paragraph has its one line on one page; pages follow without a gap, each starting at
    // its top, and no line runs past the page end.
    int lastPage = 0;
    for (int i = 0; i < count; ++i) {
        const uint32_t node = nodes[static_cast<std::size_t>(i)];
        QCOMPARE(Property(object.Index, node, u"lines"), QStringLiteral("1"));
        const int page = Property(object.Index, node, u"page").toInt();
        QVERIFY2(page == lastPage || page == lastPage + 1, qPrintable(QStringLiteral("Akapit %1").arg(i)));
        if (page != lastPage)
            QCOMPARE(Property(object.Index, node, u"top"), QStringLiteral("0"));
        QVERIFY(Property(object.Index, node, u"top").toDouble() + line <= height + 1e-3);
        lastPage = page;
        if (i == k + firstOnPage2 - 1)
            QCOMPARE(page, 1);
        if (i == k + firstOnPage2)
            QCOMPARE(page, 2);
    }
    QCOMPARE(static_cast<int>(Api.GetPageCount(object.Index)), lastPage);
}

void TestDocRender::paragraphNodesReportClassRunsAndTallerLinesForBiggerFont()
{
    const QByteArray markup = Fixture("conversion.xml");
    TObject object;
    DOCRENDER record = ScreenRecord(markup);
    QVERIFY(LoadAndPaginate(object.Index, record));

    const std::vector<uint32_t> document = Children(object.Index, 0);
    QCOMPARE(document.size(), std::size_t{1});
    QCOMPARE(Api.GetNodeType(object.Index, document[0]), uint32_t{DR_NODE_DOCUMENT});
    QList<uint32_t> types;
    for (uint32_t child : Children(object.Index, document[0]))
        types << Api.GetNodeType(object.Index, child);
    QCOMPARE(types, (QList<uint32_t>{DR_NODE_HEAD, DR_NODE_PAGE, DR_NODE_BODY}));

    const std::vector<uint32_t> paragraphs = Paragraphs(object.Index);
    QCOMPARE(paragraphs.size(), std::size_t{6});
    QCOMPARE(Property(object.Index, paragraphs[0], u"class"), QStringLiteral("h1"));
    QCOMPARE(Text([&](char16_t *b, uint32_t s) { return Api.GetPropertyName(object.Index, paragraphs[0], 0, b, s); }),
             QStringLiteral("class"));
    QCOMPARE(Children(object.Index, paragraphs[4]).size(), std::size_t{2});
    QCOMPARE(ParagraphText(object.Index, paragraphs[4]),
             QStringLiteral("Kalkulator objętości wersja 1.0.0.0 © Żółta Łąka <www.example.pl>"));

    const double h1 = Property(object.Index, paragraphs[0], u"line-height").toDouble();
    const double plain = Property(object.Index, paragraphs[1], u"line-height").toDouble();
    const double subtext = Property(object.Index, paragraphs[4], u"line-height").toDouble();
    QVERIFY2(h1 > plain && plain > subtext, qPrintable(QStringLiteral("%1 %2 %3").arg(h1).arg(plain).arg(subtext)));
    // Roughly in proportion to 15, 12 and 10 points at 96 dpi.
    QVERIFY(std::abs(h1 / plain - 15.0 / 12) < 0.1);
    // The h1's line of space below pushes the next paragraph down by a whole h1 line.
    const double gap = Property(object.Index, paragraphs[1], u"top").toDouble()
                       - Property(object.Index, paragraphs[0], u"height").toDouble();
    QCOMPARE(gap, h1);
}

void TestDocRender::readsMarkupVariants_data()
{
    QTest::addColumn<QByteArray>("markup");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("paragraphs");

    QTest::newRow("entity references") << QByteArray("<document><head><title>a&amp;b&lt;&quot;&#215;&#x3bc;&nbsp;&oacute;"
                                                     "</title></head><body><p>&gt;&apos;</p></body></document>")
                                       << QStringLiteral("a&b<\"×μ\u00a0ó") << QStringList{QStringLiteral(">'")};
    QTest::newRow("runs follow each other")
        << QByteArray("<document><body><p><text>a</text><text> b</text>\r\n<text>c</text></p></body></document>")
        << QString() << QStringList{QStringLiteral("a bc")};
    QTest::newRow("unknown block elements let their paragraphs through")
        << QByteArray("<document><body><div><p>a</p><table><p>b</p></table></div><br/><p>c</p></body></document>")
        << QString() << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    QTest::newRow("declaration, comments and an empty paragraph")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><!-- x --><document><head><title> T </title>"
                      "</head><body><p/></body></document>")
        << QStringLiteral("T") << QStringList{QString()};
    QTest::newRow("no body at all") << QByteArray("<document/>") << QString() << QStringList{};
}

void TestDocRender::readsMarkupVariants()
{
    QFETCH(QByteArray, markup);
    QFETCH(QString, title);
    QFETCH(QStringList, paragraphs);
    TObject object;
    DOCRENDER record = ScreenRecord(markup);
    QVERIFY(LoadAndPaginate(object.Index, record));
    QCOMPARE(Api.GetPageCount(object.Index), 1u);
    QCOMPARE(Text([&](char16_t *b, uint32_t s) { return Api.GetDocTitle(object.Index, b, s); }), title);
    QStringList texts;
    for (uint32_t node : Paragraphs(object.Index))
        texts << ParagraphText(object.Index, node);
    QCOMPARE(texts, paragraphs);

    QImage page = WhitePage();
    QPainter painter(&page);
    record.hCanvas = reinterpret_cast<DR_HDC>(&painter);
    QVERIFY(Api.RenderRange(object.Index, &record));
}

void TestDocRender::rejectsBadMarkup_data()
{
    QTest::addColumn<QByteArray>("markup");
    QTest::newRow("unclosed element") << QByteArray("<document><body><p>a</body></document>");
    QTest::newRow("wrong root") << QByteArray("<html><body><p>a</p></body></html>");
    QTest::newRow("text in body") << QByteArray("<document><body>loose</body></document>");
    QTest::newRow("text in document") << QByteArray("<document>loose<body/></document>");
    QTest::newRow("text in an unknown block") << QByteArray("<document><body><div>loose</div></body></document>");
    QTest::newRow("run outside a paragraph") << QByteArray("<document><body><text>loose</text></body></document>");
    QTest::newRow("unknown entity") << QByteArray("<document><head><title>&bogus;</title></head></document>");
    QTest::newRow("internal DTD") << QByteArray("<!DOCTYPE document [<!ENTITY x \"y\">]><document><body><p>&x;</p></body></document>");
    QTest::newRow("two roots") << QByteArray("<document/><document/>");
    QTest::newRow("text after the root") << QByteArray("<document/>tail");
    QTest::newRow("bytes that are not UTF-8") << QByteArray("<document><body><p>\xff\xfe</p></body></document>");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("plain text") << QByteArray("just text");
}

void TestDocRender::rejectsBadMarkup()
{
    QFETCH(QByteArray, markup);
    TObject object;
    DOCRENDER record = ScreenRecord(markup);
    QVERIFY(!Api.LoadXML(object.Index, &record));
    QVERIFY(!Api.BuildTree(object.Index, &record));
    QVERIFY(!Api.Paginate(object.Index, &record));
    QCOMPARE(Api.GetPageCount(object.Index), 0u);
}

void TestDocRender::refusesStepsOutOfOrderAndUnknownObjects()
{
    const QByteArray markup = Fixture("conversion.xml");
    QImage page = WhitePage();
    QPainter painter(&page);
    DOCRENDER record = ScreenRecord(markup);
    record.hCanvas = reinterpret_cast<DR_HDC>(&painter);

    TObject object;
    QVERIFY(!Api.BuildTree(object.Index, &record));
    QVERIFY(Api.LoadXML(object.Index, &record));
    QVERIFY(!Api.Paginate(object.Index, &record));
    QVERIFY(Api.BuildTree(object.Index, &record));
    QVERIFY(!Api.RenderRange(object.Index, &record));
    QVERIFY(!Api.LoadXML(object.Index, nullptr));

    DOCRENDER nullBuffer = record;
    nullBuffer.lpXMLBuffer = nullptr;
    QVERIFY(!Api.LoadXML(object.Index, &nullBuffer));

    // A failed load leaves nothing of the document before it.
    QVERIFY(!Api.BuildTree(object.Index, &record));

    const uint32_t freed = Api.CreateObject();
    QVERIFY(freed != 0 && freed != object.Index);
    QVERIFY(Api.FreeObject(freed));
    for (const uint32_t index : {0u, freed, 0xFFFFFFFFu}) {
        char16_t title[8] = {u'x'};
        QVERIFY(!Api.FreeObject(index));
        QVERIFY(!Api.LoadXML(index, &record));
        QVERIFY(!Api.BuildTree(index, &record));
        QVERIFY(!Api.Paginate(index, &record));
        QVERIFY(!Api.RenderRange(index, &record));
        QVERIFY(!Api.Render(index, &record));
        QVERIFY(!Api.GetDocTitle(index, title, 8));
        QCOMPARE(title[0], u'\0');
        QCOMPARE(Api.GetPageCount(index), 0u);
        QVERIFY(!Api.Reset(index));
        QVERIFY(!Api.SetScale(index, 1));
        QCOMPARE(Api.GetChildNodeCount(index, 0), 0u);
        QCOMPARE(Api.GetNodeType(index, 1), uint32_t{DR_NODE_NONE});
        QCOMPARE(Api.GetPropertyCount(index, 1), 0u);
        QCOMPARE(Api.FindPropertyIndex(index, 1, u"class"), -1);
    }
    QCOMPARE(page, WhitePage());
}

void TestDocRender::docTitleIsTruncatedToTheBuffer_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<uint32_t>("size");
    QTest::addColumn<QString>("expected");
    const QString title = QStringLiteral("Objętość");
    QTest::newRow("room for the terminator only") << title << 1u << QString();
    QTest::newRow("cut") << title << 6u << QStringLiteral("Objęt");
    QTest::newRow("exact fit") << title << 9u << title;
    QTest::newRow("roomy") << title << 256u << title;
    QTest::newRow("never half a surrogate pair") << QStringLiteral("a\U0001F600b") << 3u << QStringLiteral("a");
}

void TestDocRender::docTitleIsTruncatedToTheBuffer()
{
    QFETCH(QString, title);
    QFETCH(uint32_t, size);
    QFETCH(QString, expected);
    const QByteArray markup = "<document><head><title>" + title.toUtf8() + "</title></head></document>";
    TObject object;
    DOCRENDER record = ScreenRecord(markup);
    QVERIFY(Api.LoadXML(object.Index, &record) && Api.BuildTree(object.Index, &record));

    std::vector<char16_t> buffer(size + 4, u'#');
    QVERIFY(Api.GetDocTitle(object.Index, buffer.data(), size));
    QCOMPARE(QString::fromUtf16(buffer.data()), expected);
    QCOMPARE(buffer[size], u'#');
    QVERIFY(!Api.GetDocTitle(object.Index, buffer.data(), 0));
    QVERIFY(!Api.GetDocTitle(object.Index, nullptr, size));
}

void TestDocRender::renderRangeClampsAndBreaksOnlyBetweenPages_data()
{
    QTest::addColumn<int>("first"); // negative counts from the page count: -1 is the last page
    QTest::addColumn<int>("last");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("breaks"); // -1: the page count less one
    QTest::newRow("0 and 0 is every page") << 0 << 0 << true << -1;
    QTest::newRow("one page") << 2 << 2 << true << 0;
    QTest::newRow("two pages") << 2 << 3 << true << 1;
    QTest::newRow("last clamped to the count") << -1 << 1000 << true << 0;
    QTest::newRow("first 0 starts at page 1") << 0 << 2 << true << 1;
    QTest::newRow("beyond the count") << 1000 << 1000 << false << 0;
    QTest::newRow("reversed") << 3 << 2 << false << 0;
}

void TestDocRender::renderRangeClampsAndBreaksOnlyBetweenPages()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(bool, result);
    QFETCH(int, breaks);
    const QByteArray markup = BodyMarkup(NumberedParagraphs());
    TObject object;
    DOCRENDER record = ScreenRecord(markup);
    QVERIFY(LoadAndPaginate(object.Index, record));
    const int count = static_cast<int>(Api.GetPageCount(object.Index));
    QVERIFY(count > 3);

    QImage page = WhitePage();
    QPainter painter(&page);
    record.hCanvas = reinterpret_cast<DR_HDC>(&painter);
    record.lpPageBreakProc = CanvasPageBreak;
    record.uFirstPage = static_cast<uint32_t>(first < 0 ? count + 1 + first : first);
    record.uLastPage = static_cast<uint32_t>(last);
    QCOMPARE(bool(Api.RenderRange(object.Index, &record)), result);
    QCOMPARE(PageBreaks, breaks < 0 ? count - 1 : breaks);
    painter.end();
    QCOMPARE(InkBounds(page).isEmpty(), !result);
}

void TestDocRender::pageBreakHandsOverTheNextCanvasOrStops()
{
    const QByteArray markup = BodyMarkup(NumberedParagraphs());
    TObject object;
    DOCRENDER record = ScreenRecord(markup);
    QVERIFY(LoadAndPaginate(object.Index, record));

    QImage first = WhitePage();
    QImage second = WhitePage();
    QPainter firstPainter(&first);
    QPainter secondPainter(&second);
    record.hCanvas = reinterpret_cast<DR_HDC>(&firstPainter);
    record.lpPageBreakProc = CanvasPageBreak;
    record.uFirstPage = 1;
    record.uLastPage = 2;
    NextCanvas = reinterpret_cast<DR_HDC>(&secondPainter);
    QVERIFY(Api.RenderRange(object.Index, &record));
    QCOMPARE(PageBreaks, 1);
    firstPainter.end();
    secondPainter.end();
    QVERIFY(!InkBounds(first).isEmpty());
    QVERIFY(!InkBounds(second).isEmpty());
    QVERIFY(first != second);

    // A procedure that answers false ends the rendering after the page before the break.
    QImage stopped = WhitePage();
    QPainter stoppedPainter(&stopped);
    record.hCanvas = reinterpret_cast<DR_HDC>(&stoppedPainter);
    record.uFirstPage = 0;
    record.uLastPage = 0;
    NextCanvas = 0;
    StopAtBreak = true;
    PageBreaks = 0;
    QVERIFY(!Api.RenderRange(object.Index, &record));
    QCOMPARE(PageBreaks, 1);
    stoppedPainter.end();
    QCOMPARE(stopped, first);

    // Without a procedure every page of the range lands on the one canvas.
    QImage stacked = WhitePage();
    QPainter stackedPainter(&stacked);
    record.hCanvas = reinterpret_cast<DR_HDC>(&stackedPainter);
    record.lpPageBreakProc = nullptr;
    record.uFirstPage = 1;
    record.uLastPage = 2;
    QVERIFY(Api.RenderRange(object.Index, &record));
    stackedPainter.end();
    QVERIFY(stacked != first && stacked != second);
}

void TestDocRender::renderingFollowsPainterTransformAndScaleAndRestoresPainter_data()
{
    QTest::addColumn<double>("painterScale");
    QTest::addColumn<double>("objectScale");
    QTest::newRow("as paginated") << 1.0 << 1.0;
    QTest::newRow("painter world transform, as the preview zooms") << 2.0 << 1.0;
    QTest::newRow("SetScale") << 1.0 << 2.0;
}

void TestDocRender::renderingFollowsPainterTransformAndScaleAndRestoresPainter()
{
    QFETCH(double, painterScale);
    QFETCH(double, objectScale);
    const QByteArray markup = Fixture("conversion.xml");
    TObject object;
    DOCRENDER record = ScreenRecord(markup);
    QVERIFY(LoadAndPaginate(object.Index, record));

    QImage reference = WhitePage();
    {
        QPainter painter(&reference);
        record.hCanvas = reinterpret_cast<DR_HDC>(&painter);
        QVERIFY(Api.RenderRange(object.Index, &record));
    }
    const QRect unscaled = InkBounds(reference);
    QVERIFY(!unscaled.isEmpty());
    // The ink starts at the 20 mm paddings.
    QVERIFY(std::abs(unscaled.left() - 20 * 96 / 25.4) < 4);

    QImage page = WhitePage(ScreenWidth * 2, ScreenHeight * 2);
    QPainter painter(&page);
    const QTransform transform = QTransform::fromScale(painterScale, painterScale);
    painter.setWorldTransform(transform);
    painter.setPen(Qt::red);
    QVERIFY(Api.SetScale(object.Index, objectScale));
    record.hCanvas = reinterpret_cast<DR_HDC>(&painter);
    QVERIFY(Api.RenderRange(object.Index, &record));
    QCOMPARE(painter.worldTransform(), transform);
    QCOMPARE(painter.pen().color(), QColor(Qt::red));
    painter.end();

    const double factor = painterScale * objectScale;
    const QRect scaled = InkBounds(page);
    QVERIFY(std::abs(scaled.left() - unscaled.left() * factor) < 3 * factor);
    QVERIFY(std::abs(scaled.bottom() - unscaled.bottom() * factor) < 3 * factor);
}

void TestDocRender::unsupportedEntryPointsReportFailureAndResetEmpties()
{
    const QByteArray markup = Fixture("conversion.xml");
    TObject object;
    DOCRENDER record = ScreenRecord(markup);
    QVERIFY(LoadAndPaginate(object.Index, record));

    uint8_t bytes[16] = {};
    uint32_t size = sizeof bytes;
    char16_t name[16] = {u'x'};
    QVERIFY(!Api.SetKey(object.Index, bytes, size));
    QVERIFY(!Api.Encode(object.Index, bytes, size, bytes, &size));
    QVERIFY(!Api.Decode(object.Index, bytes, size, bytes, &size));
    QCOMPARE(size, uint32_t{sizeof bytes});
    QCOMPARE(Api.GetSavedPagesFileCount(object.Index), 0u);
    QVERIFY(!Api.GetSavedPagesFiles(object.Index, 0, name, 16));
    QCOMPARE(name[0], u'x');
    QVERIFY(!Api.SetScale(object.Index, 0));
    QVERIFY(!Api.SetScale(object.Index, std::nan("")));

    QImage page = WhitePage();
    QPainter painter(&page);
    record.hCanvas = reinterpret_cast<DR_HDC>(&painter);
    record.bSavePagesToFiles = true;
    QVERIFY(!Api.RenderRange(object.Index, &record));
    QVERIFY(!Api.Render(object.Index, &record));
    record.bSavePagesToFiles = false;
    record.uFirstPage = 5; // Render ignores the range
    QVERIFY(Api.Render(object.Index, &record));
    painter.end();
    QVERIFY(!InkBounds(page).isEmpty());

    QVERIFY(Api.Reset(object.Index));
    QCOMPARE(Api.GetPageCount(object.Index), 0u);
    QCOMPARE(Api.GetChildNodeCount(object.Index, 0), 0u);
    QVERIFY(!Api.GetDocTitle(object.Index, name, 16));
    QVERIFY(!Api.BuildTree(object.Index, &record));
    // The object is still there and takes a new document.
    QVERIFY(LoadAndPaginate(object.Index, record));
}

QTEST_MAIN(TestDocRender)
#include "tst_docrender.moc"
