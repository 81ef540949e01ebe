// The lenient XML reader on any bytes: it repairs instead of failing, so every tree it builds must
// hold together however damaged the markup was.
#include "platform/xml/LenientXmlDocument.h"
#include "tests/fuzz/FuzzSupport.h"

using platform::LenientXmlDocument;
using platform::XmlNode;

namespace
{

// Children know their parent, elements are found by name, and the markup form escapes exactly
// the three characters it promises to.
void walk(const XmlNode& node, int depth)
{
    if (depth > 10000)
        fuzz::fail("tree deeper than the input could make it");
    const QString value = node.stringValue();
    QString escaped = value;
    escaped.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"));
    if (node.markupValue() != escaped)
        fuzz::fail("markupValue is not the escaped stringValue", value);
    if (node.kind() == XmlNode::Kind::Text && node.markup() != escaped)
        fuzz::fail("a text node's markup is not its markupValue", value);

    const std::vector<XmlNode> children = node.children();
    if (qsizetype(children.size()) != node.childCount())
        fuzz::fail("children() and childCount() disagree");
    QString text;
    for (int i = 0; i < node.childCount(); ++i) {
        const XmlNode child = node.child(i);
        if (child != children[size_t(i)] || child.parent() != node)
            fuzz::fail("a child does not lead back to its parent");
        if (child.isElement() && node.firstChildElement(child.name()).isNull())
            fuzz::fail("firstChildElement misses a child element", child.name());
        if (child.kind() == XmlNode::Kind::Text || child.isElement())
            text += child.stringValue();
        walk(child, depth + 1);
    }
    if (node.isElement() && text != value)
        fuzz::fail("an element's stringValue is not its children's", value);
    if (!node.child(node.childCount()).isNull() || !node.child(-1).isNull())
        fuzz::fail("a child out of range is not null");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    QString error;
    const auto document = LenientXmlDocument::parse(bytes, &error);
    bool decoded = false;
    const QString text = LenientXmlDocument::decodeText(bytes, &decoded);
    if (!document) {
        if (error.isEmpty())
            fuzz::fail("a failed parse gives no message");
        return 0;
    }
    if (!decoded)
        fuzz::fail("bytes that do not decode were parsed");
    // Parsing the decoded text is parsing the bytes.
    const auto again = LenientXmlDocument::parse(text);
    if (!again || again->root().markup() != document->root().markup() ||
        again->root().stringValue() != document->root().stringValue())
        fuzz::fail("the bytes and their decoded text parse differently");

    const XmlNode root = document->root();
    if (!root.isElement() || !root.parent().isNull())
        fuzz::fail("the root is no element or has a parent");
    walk(root, 0);
    const std::vector<XmlNode> selected = document->select(u'/' + root.name());
    if (selected.size() != 1 || selected.front() != root)
        fuzz::fail("selecting the root by its name does not give the root", root.name());
    for (const XmlNode& child : root.childElements()) {
        for (const XmlNode& found : document->select(u'/' + root.name() + u'/' + child.name()))
            if (found.parent() != root || found.name() != child.name())
                fuzz::fail("select gives an element off its path", child.name());
    }
    return 0;
}
