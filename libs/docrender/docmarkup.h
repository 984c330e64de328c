#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QPair>
#include <QString>

#include <cstdint>
#include <map>
#include <vector>

namespace docrender {

using TAttributes = QList<QPair<QString, QString>>;

// One piece of an element's content, in document order: a text or a child element.
struct TMarkupItem
{
    int Element = -1; // index into TMarkup::Elements, -1 for text
    QString Text;
};

struct TMarkupElement
{
    QString Name;
    TAttributes Attributes;
    int Parent = -1;
    std::vector<TMarkupItem> Content;
};

// The markup as read: a flat element list (the root first), so that deep nesting costs no stack.
struct TMarkup
{
    std::vector<TMarkupElement> Elements;
};

// Reads UTF-8 markup; false for malformed input, a DTD, a root other than document, or text
// outside the elements that hold text (title, p and what lies inside p).
bool ReadMarkup(const QByteArray &buffer, TMarkup &markup);

struct TTextFormat
{
    QString Face = QStringLiteral("Times New Roman");
    double SizePt = 12;
    QColor Color = QColor(0, 0, 0);
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    double InterlinePct = 100;
    double MarginTopLn = 0;
    double MarginBottomLn = 0;
};

struct TPageSettings
{
    double WidthMm = 210;
    double HeightMm = 297;
    double PaddingLeftMm = 25;
    double PaddingTopMm = 25;
    double PaddingRightMm = 25;
    double PaddingBottomMm = 25;
    TTextFormat Font;
};

// Node kinds; the values are those of DR_NODE_* in docrender.h.
enum class TNodeType : std::uint32_t {
    None = 0, Document, Head, Title, Style, Class, Page, Body, Paragraph, Text
};

struct TNode
{
    TNodeType Type = TNodeType::None;
    std::vector<int> Children; // indices into TDocTree::Nodes
    TAttributes Properties;
    int Paragraph = -1; // for paragraph nodes: index into TDocTree::Paragraphs
};

struct TParagraph
{
    QString Text; // the runs joined
    TTextFormat Format;
};

// The document as the renderer lays it out, plus the node tree that the queries walk.
struct TDocTree
{
    QString Title;
    TPageSettings Page;
    std::map<QString, TAttributes> Classes;
    std::vector<TParagraph> Paragraphs;
    std::vector<TNode> Nodes; // Nodes[0] is the document
};

// Builds the tree; false when the markup holds no document.
bool BuildDocTree(const TMarkup &markup, TDocTree &tree);

// Applies one formatting attribute; unknown names and unreadable values leave the format as it is.
void ApplyFormatAttribute(TTextFormat &format, const QString &name, const QString &value);

} // namespace docrender
