#pragma once

// A read-only XML DOM for files written by a writer that does no escaping: values are inserted
// verbatim, so they may hold raw '&', '<' and '>' and even tag-like text. Parsing never fails on
// such markup; it repairs it into text instead (see LenientXmlDocument::parse).

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace platform
{

namespace detail
{
struct XmlTree;
}

// A cheap handle to one node of a parsed document. It keeps the document's tree alive, so it stays
// valid after the document is gone. A default-constructed node is null: its accessors return empty
// values and its kind() is Text, so check isNull() first.
class XmlNode
{
public:
    enum class Kind { Element, Text, Comment, ProcessingInstruction };

    XmlNode() = default;

    bool isNull() const { return !tree_; }
    Kind kind() const;
    bool isElement() const { return !isNull() && kind() == Kind::Element; }

    // Element name or processing-instruction target; empty for other kinds.
    QString name() const;

    // The node as markup: an element's start tag exactly as written (`<levelNumber>`), a comment or
    // processing instruction as written, a text node's markupValue().
    QString markup() const;

    // Decoded text of all descendant text nodes, concatenated. For a text node its own text; for a
    // comment or processing instruction its content.
    QString stringValue() const;

    // stringValue() with '&', '<' and '>' escaped as entities; nothing else is escaped.
    QString markupValue() const;

    // Children in document order (0-based). child() returns a null node when out of range.
    int childCount() const;
    XmlNode child(int index) const;
    XmlNode firstChild() const { return child(0); }
    std::vector<XmlNode> children() const;
    std::vector<XmlNode> childElements() const;

    // First child element called `name` (case-sensitive), or a null node.
    XmlNode firstChildElement(const QString& name) const;

    // Null for the root element.
    XmlNode parent() const;

    friend bool operator==(const XmlNode&, const XmlNode&) = default;

private:
    friend class LenientXmlDocument;
    XmlNode(std::shared_ptr<const detail::XmlTree> tree, int index);

    std::shared_ptr<const detail::XmlTree> tree_;
    int index_ = -1;
};

class LenientXmlDocument
{
public:
    // Decodes file bytes. Only a byte-order mark selects the encoding (FF FE: UTF-16 LE, FE FF:
    // UTF-16 BE, otherwise UTF-8); an encoding declaration is ignored because the writer gets it
    // wrong. The mark is not part of the result. *ok is false when the bytes are not valid in the
    // chosen encoding.
    static QString decodeText(const QByteArray& bytes, bool* ok);

    // Parses a whole file. Fails only when the bytes cannot be decoded or there is no root element;
    // everything else is repaired:
    // - '<' not starting well-formed markup, '>' in text and '&' not starting a valid reference are
    //   literal text;
    // - an end tag matching an outer open element closes it and the elements opened since become
    //   text: their source as written, only references decoded; an end tag matching no open
    //   element is literal text; elements left open at the end become text, the root is closed;
    // - adjacent text (including CDATA) is merged into one text node;
    // - whitespace-only text beside an element sibling is dropped;
    // - line ends are normalised to '\n', as in any XML parser;
    // - anything before or after the root element is ignored.
    static std::optional<LenientXmlDocument> parse(const QByteArray& bytes,
                                                   QString* errorMessage = nullptr);
    static std::optional<LenientXmlDocument> parse(const QString& text,
                                                   QString* errorMessage = nullptr);

    XmlNode root() const;

    // Elements matching an absolute path such as "/rulesData/ruleObject", in document order. Empty
    // when the first step is not the root's name or the path is malformed.
    std::vector<XmlNode> select(const QString& path) const;

private:
    explicit LenientXmlDocument(std::shared_ptr<const detail::XmlTree> tree);

    std::shared_ptr<const detail::XmlTree> tree_;
};

} // namespace platform
