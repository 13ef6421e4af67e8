#include "skins/skin_selectors.h"

#include <QStringList>

namespace skins {

namespace {

// Walks a selector text while keeping track of brackets, parentheses and
// quotes, so that separators inside `[text="a, b"]` are not taken for real.
class Nesting {
public:
    bool atTopLevel() const { return depth_ == 0 && quote_ == QChar(); }
    void step(QChar c)
    {
        if (quote_ != QChar()) {
            if (c == quote_)
                quote_ = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote_ = c;
        } else if (c == u'[' || c == u'(') {
            ++depth_;
        } else if ((c == u']' || c == u')') && depth_ > 0) {
            --depth_;
        }
    }

private:
    int depth_ = 0;
    QChar quote_;
};

QStringList splitTopLevel(const QString& text, QChar separator)
{
    QStringList parts;
    Nesting nesting;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == separator && nesting.atTopLevel()) {
            parts.append(text.mid(start, i - start));
            start = i + 1;
        }
        nesting.step(text[i]);
    }
    parts.append(text.mid(start));
    return parts;
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'-';
}

QString restrictSelector(const QString& selector, const QString& attribute)
{
    // The styled widget is named by the last compound: after the last
    // blank or child combinator outside brackets.
    qsizetype compound = 0;
    Nesting nesting;
    for (qsizetype i = 0; i < selector.size(); ++i) {
        const QChar c = selector[i];
        if (nesting.atTopLevel() && (c.isSpace() || c == u'>'))
            compound = i + 1;
        nesting.step(c);
    }
    qsizetype at = compound;
    if (at < selector.size() && (selector[at] == u'*' || selector[at] == u'.'))
        ++at;
    while (at < selector.size() && isNameChar(selector[at]))
        ++at;
    return selector.left(at) + attribute + selector.mid(at);
}

QString restrictSelectorList(const QString& list, const QString& attribute)
{
    QStringList selectors;
    for (const QString& part : splitTopLevel(list, u',')) {
        const QString selector = part.trimmed();
        if (!selector.isEmpty())
            selectors.append(restrictSelector(selector, attribute));
    }
    // Keep the line breaks that stood before the rule (layout of the file).
    qsizetype lead = 0;
    while (lead < list.size() && list[lead].isSpace())
        ++lead;
    return list.left(lead) + selectors.join(QStringLiteral(", ")) + QLatin1Char(' ');
}

} // namespace

QString restrictToAttribute(const QString& styleSheet, const QString& attribute)
{
    QString out;
    QString pending; // selector text seen since the last rule
    qsizetype i = 0;
    while (i < styleSheet.size()) {
        if (QStringView(styleSheet).mid(i, 2) == u"/*") {
            const qsizetype end = styleSheet.indexOf(QLatin1String("*/"), i + 2);
            const qsizetype stop = end < 0 ? styleSheet.size() : end + 2;
            // A comment inside a selector would hide its last compound.
            if (pending.trimmed().isEmpty()) {
                out += pending + styleSheet.mid(i, stop - i);
                pending.clear();
            } else {
                pending += QLatin1Char(' ');
            }
            i = stop;
        } else if (styleSheet[i] == u'{') {
            const qsizetype end = styleSheet.indexOf(u'}', i);
            const qsizetype stop = end < 0 ? styleSheet.size() : end + 1;
            out += pending.trimmed().isEmpty() ? pending : restrictSelectorList(pending, attribute);
            out += styleSheet.mid(i, stop - i);
            pending.clear();
            i = stop;
        } else {
            pending += styleSheet[i++];
        }
    }
    return out + pending;
}

} // namespace skins
