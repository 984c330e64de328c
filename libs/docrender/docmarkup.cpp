#include "docmarkup.h"

#include <QLocale>
#include <QXmlStreamEntityResolver>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

namespace docrender {

namespace {

struct TNamedEntity
{
    std::string_view Name;
    char16_t Code;
};

// HTML names an entity filter may write; sorted by byte value for the binary search.
constexpr TNamedEntity NamedEntities[] = {
    {"AElig", 0x00C6}, {"Aacute", 0x00C1}, {"Acirc", 0x00C2}, {"Agrave", 0x00C0}, {"Aring", 0x00C5},
    {"Atilde", 0x00C3}, {"Auml", 0x00C4}, {"Ccedil", 0x00C7}, {"ETH", 0x00D0}, {"Eacute", 0x00C9},
    {"Ecirc", 0x00CA}, {"Egrave", 0x00C8}, {"Euml", 0x00CB}, {"Iacute", 0x00CD}, {"Icirc", 0x00CE},
    {"Igrave", 0x00CC}, {"Iuml", 0x00CF}, {"Ntilde", 0x00D1}, {"Oacute", 0x00D3}, {"Ocirc", 0x00D4},
    {"Ograve", 0x00D2}, {"Oslash", 0x00D8}, {"Otilde", 0x00D5}, {"Ouml", 0x00D6}, {"THORN", 0x00DE},
    {"Uacute", 0x00DA}, {"Ucirc", 0x00DB}, {"Ugrave", 0x00D9}, {"Uuml", 0x00DC}, {"Yacute", 0x00DD},
    {"aacute", 0x00E1}, {"acirc", 0x00E2}, {"acute", 0x00B4}, {"aelig", 0x00E6}, {"agrave", 0x00E0},
    {"aring", 0x00E5}, {"atilde", 0x00E3}, {"auml", 0x00E4}, {"bdquo", 0x201E}, {"brvbar", 0x00A6},
    {"bull", 0x2022}, {"ccedil", 0x00E7}, {"cedil", 0x00B8}, {"cent", 0x00A2}, {"copy", 0x00A9},
    {"curren", 0x00A4}, {"dagger", 0x2020}, {"deg", 0x00B0}, {"divide", 0x00F7}, {"eacute", 0x00E9},
    {"ecirc", 0x00EA}, {"egrave", 0x00E8}, {"emsp", 0x2003}, {"ensp", 0x2002}, {"eth", 0x00F0},
    {"euml", 0x00EB}, {"euro", 0x20AC}, {"frac12", 0x00BD}, {"frac14", 0x00BC}, {"frac34", 0x00BE},
    {"hellip", 0x2026}, {"iacute", 0x00ED}, {"icirc", 0x00EE}, {"iexcl", 0x00A1}, {"igrave", 0x00EC},
    {"iquest", 0x00BF}, {"iuml", 0x00EF}, {"laquo", 0x00AB}, {"ldquo", 0x201C}, {"lsaquo", 0x2039},
    {"lsquo", 0x2018}, {"macr", 0x00AF}, {"mdash", 0x2014}, {"micro", 0x00B5}, {"middot", 0x00B7},
    {"minus", 0x2212}, {"nbsp", 0x00A0}, {"ndash", 0x2013}, {"not", 0x00AC}, {"ntilde", 0x00F1},
    {"oacute", 0x00F3}, {"ocirc", 0x00F4}, {"ograve", 0x00F2}, {"ordf", 0x00AA}, {"ordm", 0x00BA},
    {"oslash", 0x00F8}, {"otilde", 0x00F5}, {"ouml", 0x00F6}, {"para", 0x00B6}, {"permil", 0x2030},
    {"plusmn", 0x00B1}, {"pound", 0x00A3}, {"raquo", 0x00BB}, {"rdquo", 0x201D}, {"reg", 0x00AE},
    {"rsaquo", 0x203A}, {"rsquo", 0x2019}, {"sbquo", 0x201A}, {"sect", 0x00A7}, {"shy", 0x00AD},
    {"sup1", 0x00B9}, {"sup2", 0x00B2}, {"sup3", 0x00B3}, {"szlig", 0x00DF}, {"thinsp", 0x2009},
    {"thorn", 0x00FE}, {"times", 0x00D7}, {"trade", 0x2122}, {"uacute", 0x00FA}, {"ucirc", 0x00FB},
    {"ugrave", 0x00F9}, {"uml", 0x00A8}, {"uuml", 0x00FC}, {"yacute", 0x00FD}, {"yen", 0x00A5},
    {"yuml", 0x00FF},
};

// Markup has no DTD, so names beyond XML's five come from the HTML table.
class THtmlEntityResolver : public QXmlStreamEntityResolver
{
public:
    QString resolveUndeclaredEntity(const QString &name) override
    {
        const QByteArray latin = name.toLatin1();
        const std::string_view key(latin.constData(), static_cast<std::size_t>(latin.size()));
        const auto *end = std::end(NamedEntities);
        const auto *found = std::lower_bound(std::begin(NamedEntities), end, key,
            [](const TNamedEntity &entity, std::string_view k) { return entity.Name < k; });
        if (found == end || found->Name != key)
            return QString();
        return QString(QChar(found->Code));
    }
};

bool IsTextHolder(const QString &name)
{
    return name == u"title" || name == u"p";
}

} // namespace

bool ReadMarkup(const QByteArray &buffer, TMarkup &markup)
{
    markup.Elements.clear();
    QXmlStreamReader reader(buffer);
    THtmlEntityResolver resolver;
    reader.setEntityResolver(&resolver);

    int current = -1;
    int textDepth = 0; // how many open elements let text in (title, p)
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            return false;
        case QXmlStreamReader::StartElement: {
            const QString name = reader.name().toString();
            if (current < 0 && (!markup.Elements.empty() || name != u"document"))
                return false;
            TMarkupElement element;
            element.Name = name;
            element.Parent = current;
            for (const QXmlStreamAttribute &attribute : reader.attributes())
                element.Attributes.append({attribute.name().toString(), attribute.value().toString()});
            const int index = static_cast<int>(markup.Elements.size());
            markup.Elements.push_back(std::move(element));
            if (current >= 0)
                markup.Elements[static_cast<std::size_t>(current)].Content.push_back({index, QString()});
            current = index;
            if (IsTextHolder(name))
                ++textDepth;
            break;
        }
        case QXmlStreamReader::EndElement:
            if (current < 0)
                return false;
            if (IsTextHolder(markup.Elements[static_cast<std::size_t>(current)].Name))
                --textDepth;
            current = markup.Elements[static_cast<std::size_t>(current)].Parent;
            break;
        case QXmlStreamReader::Characters:
            if (textDepth > 0 && current >= 0) {
                markup.Elements[static_cast<std::size_t>(current)].Content.push_back({-1, reader.text().toString()});
            } else if (!reader.isWhitespace()) {
                return false;
            }
            break;
        default: // declaration, comments, processing instructions
            break;
        }
    }
    return !reader.hasError() && !markup.Elements.empty();
}

namespace {

std::optional<bool> ParseSwitch(const QString &value)
{
    const QString v = value.trimmed().toLower();
    if (v == u"on" || v == u"yes" || v == u"true" || v == u"1")
        return true;
    if (v == u"off" || v == u"no" || v == u"false" || v == u"0")
        return false;
    return std::nullopt;
}

// A number written with "." and an optional unit; the unit is returned lower case.
std::optional<std::pair<double, QString>> ParseQuantity(const QString &value)
{
    const QString v = value.trimmed();
    qsizetype split = v.size();
    while (split > 0 && (v[split - 1].isLetter() || v[split - 1] == u'%'))
        --split;
    bool ok = false;
    const double number = QLocale::c().toDouble(QStringView(v).left(split).trimmed(), &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return std::make_pair(number, v.mid(split).toLower());
}

// Millimetres from mm, cm, in or pt; a bare number is millimetres.
std::optional<double> ParseMillimetres(const QString &value, double max)
{
    const auto quantity = ParseQuantity(value);
    if (!quantity)
        return std::nullopt;
    double mm = quantity->first;
    const QString &unit = quantity->second;
    if (unit == u"cm")
        mm *= 10;
    else if (unit == u"in")
        mm *= 25.4;
    else if (unit == u"pt")
        mm *= 25.4 / 72;
    else if (!unit.isEmpty() && unit != u"mm")
        return std::nullopt;
    if (mm < 0 || mm > max)
        return std::nullopt;
    return mm;
}

std::optional<double> ParseInRange(const QString &value, std::initializer_list<const char16_t *> units,
                                   double min, double max)
{
    const auto quantity = ParseQuantity(value);
    if (!quantity)
        return std::nullopt;
    if (!quantity->second.isEmpty()
        && std::none_of(units.begin(), units.end(), [&](const char16_t *u) { return quantity->second == u; }))
        return std::nullopt;
    if (quantity->first < min || quantity->first > max)
        return std::nullopt;
    return quantity->first;
}

const TMarkupElement *FirstChild(const TMarkup &markup, const TMarkupElement &parent, const char16_t *name)
{
    for (const TMarkupItem &item : parent.Content) {
        if (item.Element >= 0 && markup.Elements[static_cast<std::size_t>(item.Element)].Name == name)
            return &markup.Elements[static_cast<std::size_t>(item.Element)];
    }
    return nullptr;
}

// All text below an element, in order, however deeply nested.
QString CollectText(const TMarkup &markup, const TMarkupElement &element)
{
    QString text;
    std::vector<std::pair<const TMarkupElement *, std::size_t>> stack{{&element, 0}};
    while (!stack.empty()) {
        auto &[current, next] = stack.back();
        if (next == current->Content.size()) {
            stack.pop_back();
            continue;
        }
        const TMarkupItem &item = current->Content[next++];
        if (item.Element < 0)
            text += item.Text;
        else
            stack.emplace_back(&markup.Elements[static_cast<std::size_t>(item.Element)], 0);
    }
    return text;
}

// Line ends and tabs inside text are spacing, never forced breaks.
QString FlattenSpaces(QString text)
{
    for (QChar &c : text) {
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    }
    return text;
}

// Whitespace that holds a line break sits between runs for layout of the markup only.
bool IsMarkupSpacing(const QString &text)
{
    return text.trimmed().isEmpty() && (text.contains(u'\n') || text.contains(u'\r'));
}

class TTreeBuilder
{
public:
    TTreeBuilder(const TMarkup &markup, TDocTree &tree) : FMarkup(markup), FTree(tree) {}

    void Build()
    {
        const TMarkupElement &document = FMarkup.Elements.front();
        FTree = TDocTree();
        AddNode(TNodeType::Document, {});
        if (const TMarkupElement *head = FirstChild(FMarkup, document, u"head"))
            BuildHead(*head);
        if (const TMarkupElement *page = FirstChild(FMarkup, document, u"page"))
            BuildPage(*page);
        if (const TMarkupElement *body = FirstChild(FMarkup, document, u"body"))
            BuildBody(*body);
    }

private:
    int AddNode(TNodeType type, TAttributes properties, int parent = -1)
    {
        const int index = static_cast<int>(FTree.Nodes.size());
        TNode node;
        node.Type = type;
        node.Properties = std::move(properties);
        FTree.Nodes.push_back(std::move(node));
        if (parent >= 0)
            FTree.Nodes[static_cast<std::size_t>(parent)].Children.push_back(index);
        return index;
    }

    void BuildHead(const TMarkupElement &head)
    {
        const int headNode = AddNode(TNodeType::Head, head.Attributes, 0);
        if (const TMarkupElement *title = FirstChild(FMarkup, head, u"title")) {
            FTree.Title = FlattenSpaces(CollectText(FMarkup, *title)).trimmed();
            AddNode(TNodeType::Title, {{QStringLiteral("text"), FTree.Title}}, headNode);
        }
        if (const TMarkupElement *style = FirstChild(FMarkup, head, u"style")) {
            const int styleNode = AddNode(TNodeType::Style, style->Attributes, headNode);
            for (const TMarkupItem &item : style->Content) {
                if (item.Element < 0)
                    continue;
                const TMarkupElement &cls = FMarkup.Elements[static_cast<std::size_t>(item.Element)];
                if (cls.Name != u"class")
                    continue;
                QString name;
                TAttributes attributes;
                for (const auto &attribute : cls.Attributes) {
                    if (attribute.first == u"name")
                        name = attribute.second;
                    else
                        attributes.append(attribute);
                }
                TAttributes properties{{QStringLiteral("name"), name}};
                properties.append(attributes);
                AddNode(TNodeType::Class, properties, styleNode);
                // A later definition of the same name adds to and overrides the earlier one.
                FTree.Classes[name].append(attributes);
            }
        }
    }

    void BuildPage(const TMarkupElement &page)
    {
        AddNode(TNodeType::Page, page.Attributes, 0);
        TPageSettings &settings = FTree.Page;
        for (const auto &[name, value] : page.Attributes) {
            if (name == u"width") {
                if (auto mm = ParseMillimetres(value, 10000); mm && *mm > 0)
                    settings.WidthMm = *mm;
            } else if (name == u"height") {
                if (auto mm = ParseMillimetres(value, 10000); mm && *mm > 0)
                    settings.HeightMm = *mm;
            } else if (name == u"padding-left") {
                if (auto mm = ParseMillimetres(value, 10000))
                    settings.PaddingLeftMm = *mm;
            } else if (name == u"padding-top") {
                if (auto mm = ParseMillimetres(value, 10000))
                    settings.PaddingTopMm = *mm;
            } else if (name == u"padding-right") {
                if (auto mm = ParseMillimetres(value, 10000))
                    settings.PaddingRightMm = *mm;
            } else if (name == u"padding-bottom") {
                if (auto mm = ParseMillimetres(value, 10000))
                    settings.PaddingBottomMm = *mm;
            } else {
                ApplyFormatAttribute(settings.Font, name, value);
            }
        }
        // Margins belong to paragraphs, not to the page's default font.
        settings.Font.MarginTopLn = 0;
        settings.Font.MarginBottomLn = 0;
    }

    void BuildBody(const TMarkupElement &body)
    {
        const int bodyNode = AddNode(TNodeType::Body, body.Attributes, 0);
        // Unknown block elements are transparent: the paragraphs inside them still print.
        std::vector<std::pair<const TMarkupElement *, std::size_t>> stack{{&body, 0}};
        while (!stack.empty()) {
            auto &[current, next] = stack.back();
            if (next == current->Content.size()) {
                stack.pop_back();
                continue;
            }
            const TMarkupItem &item = current->Content[next++];
            if (item.Element < 0)
                continue;
            const TMarkupElement &child = FMarkup.Elements[static_cast<std::size_t>(item.Element)];
            if (child.Name == u"p")
                BuildParagraph(child, bodyNode);
            else
                stack.emplace_back(&child, 0);
        }
    }

    void BuildParagraph(const TMarkupElement &p, int bodyNode)
    {
        TParagraph paragraph;
        paragraph.Format = FTree.Page.Font;
        for (const auto &[name, value] : p.Attributes) {
            if (name == u"class") {
                const auto found = FTree.Classes.find(value);
                if (found != FTree.Classes.end()) {
                    for (const auto &attribute : found->second)
                        ApplyFormatAttribute(paragraph.Format, attribute.first, attribute.second);
                }
            }
        }
        // Formatting written on the paragraph itself wins over its class.
        for (const auto &[name, value] : p.Attributes) {
            if (name != u"class")
                ApplyFormatAttribute(paragraph.Format, name, value);
        }

        const int node = AddNode(TNodeType::Paragraph, p.Attributes, bodyNode);
        FTree.Nodes[static_cast<std::size_t>(node)].Paragraph = static_cast<int>(FTree.Paragraphs.size());
        // Direct text is one run; every element inside (text or unknown) is a run of all its text.
        for (const TMarkupItem &item : p.Content) {
            QString run = item.Element < 0
                ? item.Text
                : CollectText(FMarkup, FMarkup.Elements[static_cast<std::size_t>(item.Element)]);
            if (item.Element < 0 && IsMarkupSpacing(run))
                continue;
            run = FlattenSpaces(run);
            paragraph.Text += run;
            AddNode(TNodeType::Text, {{QStringLiteral("text"), run}}, node);
        }
        FTree.Paragraphs.push_back(std::move(paragraph));
    }

    const TMarkup &FMarkup;
    TDocTree &FTree;
};

} // namespace

void ApplyFormatAttribute(TTextFormat &format, const QString &name, const QString &value)
{
    if (name == u"fontface") {
        if (!value.trimmed().isEmpty())
            format.Face = value.trimmed();
    } else if (name == u"fontsize") {
        // Bare numbers are points.
        if (auto pt = ParseInRange(value, {u"pt"}, 1, 1000))
            format.SizePt = *pt;
    } else if (name == u"fontcolor") {
        const QColor color = QColor::fromString(value.trimmed());
        if (color.isValid())
            format.Color = color;
    } else if (name == u"fontbold") {
        if (auto on = ParseSwitch(value))
            format.Bold = *on;
    } else if (name == u"fontitalic") {
        if (auto on = ParseSwitch(value))
            format.Italic = *on;
    } else if (name == u"fontunderline") {
        if (auto on = ParseSwitch(value))
            format.Underline = *on;
    } else if (name == u"interln") {
        if (auto pct = ParseInRange(value, {u"%"}, 10, 1000))
            format.InterlinePct = *pct;
    } else if (name == u"margin-top") {
        if (auto ln = ParseInRange(value, {u"ln"}, 0, 100))
            format.MarginTopLn = *ln;
    } else if (name == u"margin-bottom") {
        if (auto ln = ParseInRange(value, {u"ln"}, 0, 100))
            format.MarginBottomLn = *ln;
    }
}

bool BuildDocTree(const TMarkup &markup, TDocTree &tree)
{
    if (markup.Elements.empty() || markup.Elements.front().Name != u"document")
        return false;
    TTreeBuilder(markup, tree).Build();
    return true;
}

} // namespace docrender
