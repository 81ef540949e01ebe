#include "typewarden/capture/TextMirror.h"

#include <QChar>

#include <algorithm>

namespace typewarden
{

TextMirror::TextMirror(const QString& text) : m_text(text.toStdU32String()) {}

bool TextMirror::isWordCharacter(char32_t c)
{
    return QChar::isLetterOrNumber(c) || QChar::isMark(c) || c == U'\'' || c == U'\u2019';
}

bool TextMirror::isAllWord(const std::u32string& text)
{
    return std::all_of(text.begin(), text.end(), isWordCharacter);
}

bool TextMirror::hasWord(const std::u32string& text)
{
    return std::any_of(text.begin(), text.end(), isWordCharacter);
}

bool TextMirror::insert(int offset, const std::u32string& text)
{
    if (offset < 0 || offset > size())
        return false;
    m_text.insert(std::size_t(offset), text);
    return true;
}

bool TextMirror::remove(int offset, const std::u32string& text)
{
    if (offset < 0 || std::size_t(offset) + text.size() > m_text.size() ||
        m_text.compare(std::size_t(offset), text.size(), text) != 0)
        return false;
    m_text.erase(std::size_t(offset), text.size());
    return true;
}

TextMirror::Span TextMirror::wordAround(int begin, int end) const
{
    Span span{std::clamp(begin, 0, size()), std::clamp(end, 0, size())};
    while (wordBefore(span.begin))
        --span.begin;
    while (wordAfter(span.end))
        ++span.end;
    return span;
}

std::u32string TextMirror::slice(int offset, int length) const
{
    if (offset < 0 || length < 0 || std::size_t(offset) + std::size_t(length) > m_text.size())
        return {};
    return m_text.substr(std::size_t(offset), std::size_t(length));
}

QString TextMirror::text(Span span) const
{
    if (span.isEmpty())
        return {};
    const std::u32string part =
        m_text.substr(std::size_t(span.begin), std::size_t(span.end - span.begin));
    return QString::fromStdU32String(part);
}

} // namespace typewarden
