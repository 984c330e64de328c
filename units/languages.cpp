#include "languages.h"

#include <QString>

namespace {

struct TLanguageTag
{
    const char16_t *Tag;
    qint32 Code;
};

// Checked in this order; the codes are fixed by the unit tables, not alphabetical.
constexpr TLanguageTag LanguageTags[] = {
    {u"PL", 0}, {u"EN", 1}, {u"DE", 2}, {u"IT", 3}, {u"SE", 4},
    {u"ES", 6}, {u"NL", 5}, {u"FI", 7}, {u"FR", 8},
};

} // namespace

qint32 StringToLanguageCode(const QByteArray &text)
{
    QString tag = QString::fromUtf8(text);
    // Only a to z change: other letters must not turn into a tag by case mapping.
    for (QChar &c : tag) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    qsizetype first = 0;
    qsizetype last = tag.size();
    while (first < last && tag.at(first).unicode() <= 32)
        ++first;
    while (last > first && tag.at(last - 1).unicode() <= 32)
        --last;
    const QStringView trimmed = QStringView(tag).mid(first, last - first);
    for (const TLanguageTag &entry : LanguageTags) {
        if (trimmed == QStringView(entry.Tag))
            return entry.Code;
    }
    return -1;
}
