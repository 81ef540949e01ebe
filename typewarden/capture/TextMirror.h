#pragma once

#include <QString>

#include <string>

namespace typewarden
{

// A copy of one text element's text, kept current by replaying the changes its application
// reports. Offsets count characters (code points), as the changes do.
class TextMirror
{
public:
    // A stretch of the text: [begin, end).
    struct Span {
        int begin = 0;
        int end = 0;
        bool isEmpty() const { return begin >= end; }
    };

    TextMirror() = default;
    explicit TextMirror(const QString& text);

    // Letters, digits, their marks and apostrophes make words; everything else ends them.
    static bool isWordCharacter(char32_t c);
    static bool isAllWord(const std::u32string& text);
    static bool hasWord(const std::u32string& text);

    // False, leaving the copy as it was, when the change does not fit it: text taken out that is
    // not there, or an offset past the end. The copy has then missed a change.
    bool insert(int offset, const std::u32string& text);
    bool remove(int offset, const std::u32string& text);

    int size() const { return int(m_text.size()); }
    bool sameAs(const QString& text) const { return m_text == text.toStdU32String(); }
    char32_t at(int offset) const { return m_text[std::size_t(offset)]; }
    bool wordBefore(int offset) const { return offset > 0 && isWordCharacter(at(offset - 1)); }
    bool wordAfter(int offset) const { return offset < size() && isWordCharacter(at(offset)); }

    // The word characters running left from `begin` and right from `end`, with what lies between.
    Span wordAround(int begin, int end) const;
    QString text(Span span) const;
    // The characters at [offset, offset + length), or nothing where the copy is shorter.
    std::u32string slice(int offset, int length) const;

private:
    std::u32string m_text;
};

} // namespace typewarden
