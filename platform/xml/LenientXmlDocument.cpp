#include "platform/xml/LenientXmlDocument.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringView>
#include <QtEndian>

namespace platform
{

namespace detail
{

struct XmlNodeData {
    XmlNode::Kind kind = XmlNode::Kind::Text;
    int parent = -1; // -1 for the root
    int end = 0;     // one past the last descendant; nodes are stored in document order
    // Markup as written, as a range of XmlTree::source (elements, comments, instructions).
    qsizetype markupBegin = 0;
    qsizetype markupLength = 0;
    qsizetype nameBegin = 0;
    qsizetype nameLength = 0;
    QString text; // decoded text; content of a comment or instruction
};

struct XmlTree {
    QString source;
    std::vector<XmlNodeData> nodes;
    // Children of node i are childList[childBegin[i] .. childBegin[i + 1]).
    std::vector<int> childBegin;
    std::vector<int> childList;

    QStringView slice(qsizetype begin, qsizetype length) const
    {
        return QStringView(source).sliced(begin, length);
    }
    QStringView name(int index) const
    {
        return slice(nodes[index].nameBegin, nodes[index].nameLength);
    }
};

} // namespace detail

namespace
{

using detail::XmlNodeData;
using detail::XmlTree;
using Kind = XmlNode::Kind;

bool isSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\r';
}

// XML 1.0 name characters; surrogates are accepted so names may use supplementary characters.
bool isNameStartChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || u == u'_' || u == u':';
    return (u >= 0xC0 && u <= 0xD6) || (u >= 0xD8 && u <= 0xF6) || (u >= 0xF8 && u <= 0x2FF) ||
           (u >= 0x370 && u <= 0x37D) || (u >= 0x37F && u <= 0x1FFF) || u == 0x200C ||
           u == 0x200D || (u >= 0x2070 && u <= 0x218F) || (u >= 0x2C00 && u <= 0x2FEF) ||
           (u >= 0x3001 && u <= 0xDFFF) || (u >= 0xF900 && u <= 0xFDCF) ||
           (u >= 0xFDF0 && u <= 0xFFFD);
}

bool isNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return isNameStartChar(c) || (u >= u'0' && u <= u'9') || u == u'-' || u == u'.' || u == 0xB7 ||
           (u >= 0x300 && u <= 0x36F) || u == 0x203F || u == 0x2040;
}

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

bool isBlank(const QString& text)
{
    for (QChar c : text) {
        if (!isSpace(c))
            return false;
    }
    return true;
}

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (base == 16 && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Length of the reference starting at s[amp] == '&' (with its ';'), or -1 if there is none.
qsizetype matchReference(QStringView s, qsizetype amp, char32_t* value)
{
    const QStringView rest = s.sliced(amp + 1);
    static constexpr struct {
        const char16_t* name;
        qsizetype length;
        char16_t value;
    } named[] = {{u"amp;", 4, u'&'},
                 {u"lt;", 3, u'<'},
                 {u"gt;", 3, u'>'},
                 {u"quot;", 5, u'"'},
                 {u"apos;", 5, u'\''}};
    for (const auto& entity : named) {
        if (rest.startsWith(QStringView(entity.name, entity.length))) {
            *value = entity.value;
            return entity.length + 1;
        }
    }
    if (!rest.startsWith(u'#'))
        return -1;
    const bool hex = rest.size() > 1 && rest[1] == u'x';
    const int base = hex ? 16 : 10;
    qsizetype i = hex ? 2 : 1;
    const qsizetype firstDigit = i;
    char32_t code = 0;
    for (; i < rest.size(); ++i) {
        const int digit = digitValue(rest[i], base);
        if (digit < 0)
            break;
        // Stop accumulating once out of range; the value is rejected below.
        if (code <= 0x10FFFF)
            code = code * base + char32_t(digit);
    }
    if (i == firstDigit || i >= rest.size() || rest[i] != u';' || !isXmlChar(code))
        return -1;
    *value = code;
    return i + 2;
}

void appendCodePoint(QString& out, char32_t c)
{
    if (c > 0xFFFF) {
        out.append(QChar(QChar::highSurrogate(c)));
        out.append(QChar(QChar::lowSurrogate(c)));
    } else {
        out.append(QChar(char16_t(c)));
    }
}

// Appends raw text with its references decoded; an '&' that starts none stays literal.
void appendDecoded(QString& out, QStringView raw)
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype amp = raw.indexOf(u'&', from);
        if (amp < 0) {
            out.append(raw.sliced(from));
            return;
        }
        out.append(raw.sliced(from, amp - from));
        char32_t value = 0;
        const qsizetype length = matchReference(raw, amp, &value);
        if (length < 0) {
            out.append(u'&');
            from = amp + 1;
        } else {
            appendCodePoint(out, value);
            from = amp + length;
        }
    }
}

QString escapeMarkup(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out.append(u"&amp;");
            break;
        case u'<':
            out.append(u"&lt;");
            break;
        case u'>':
            out.append(u"&gt;");
            break;
        default:
            out.append(c);
        }
    }
    return out;
}

QString decodeUtf16(const QByteArray& bytes, qsizetype offset, bool bigEndian, bool* ok)
{
    const qsizetype byteCount = bytes.size() - offset;
    if (byteCount % 2 != 0) {
        *ok = false;
        return {};
    }
    QString out(byteCount / 2, Qt::Uninitialized);
    QChar* dst = out.data();
    if (bigEndian)
        qFromBigEndian<char16_t>(bytes.constData() + offset, out.size(), dst);
    else
        qFromLittleEndian<char16_t>(bytes.constData() + offset, out.size(), dst);
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (dst[i].isHighSurrogate() && i + 1 < out.size() && dst[i + 1].isLowSurrogate()) {
            ++i;
        } else if (dst[i].isSurrogate()) {
            *ok = false;
            return {};
        }
    }
    *ok = true;
    return out;
}

QString decodeBytes(const QByteArray& bytes, bool* ok, const char** encoding)
{
    const auto startsWith = [&bytes](std::initializer_list<unsigned char> mark) {
        if (bytes.size() < qsizetype(mark.size()))
            return false;
        qsizetype i = 0;
        for (unsigned char b : mark) {
            if (static_cast<unsigned char>(bytes[i++]) != b)
                return false;
        }
        return true;
    };
    if (startsWith({0xFF, 0xFE})) {
        *encoding = "UTF-16 LE";
        return decodeUtf16(bytes, 2, false, ok);
    }
    if (startsWith({0xFE, 0xFF})) {
        *encoding = "UTF-16 BE";
        return decodeUtf16(bytes, 2, true, ok);
    }
    *encoding = "UTF-8";
    const qsizetype offset = startsWith({0xEF, 0xBB, 0xBF}) ? 3 : 0;
    // Keep any further mark as content: only the first one is a byte-order mark.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless |
                                                     QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(QByteArrayView(bytes).sliced(offset));
    *ok = !decoder.hasError();
    if (!*ok)
        return {};
    return text;
}

// CR LF and lone CR become LF, as in any XML parser.
QString normaliseLineEnds(const QString& text)
{
    if (!text.contains(u'\r'))
        return text;
    QString out(text.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    const QChar* src = text.constData();
    const qsizetype size = text.size();
    qsizetype length = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (src[i] != u'\r') {
            dst[length++] = src[i];
            continue;
        }
        dst[length++] = u'\n';
        if (i + 1 < size && src[i + 1] == u'\n')
            ++i;
    }
    out.truncate(length);
    return out;
}

// Finds a fixed terminator for positions that only ever move forward, so a missing terminator
// costs one scan instead of one per candidate.
class ForwardFinder
{
public:
    explicit ForwardFinder(QStringView needle) : needle_(needle) {}

    qsizetype find(QStringView haystack, qsizetype from)
    {
        if (found_ == -1 || found_ >= from)
            return found_;
        found_ = haystack.indexOf(needle_, from);
        return found_;
    }

private:
    QStringView needle_;
    qsizetype found_ = -2; // -2: not searched yet, -1: absent from the last start onwards
};

class Parser
{
public:
    explicit Parser(XmlTree& tree) : tree_(tree), s_(tree.source) {}

    bool run()
    {
        // Real files hold about one node per '<': an element per start and end tag pair, a
        // value or indentation after each tag.
        tree_.nodes.reserve(s_.count(u'<') + 1);
        qsizetype pos = 0;
        if (!parseProlog(&pos))
            return false;
        while (!stack_.empty()) {
            const qsizetype lt = s_.indexOf(u'<', pos);
            const qsizetype textEnd = lt < 0 ? s_.size() : lt;
            if (textEnd > pos)
                appendDecoded(textSink(), s_.sliced(pos, textEnd - pos));
            if (lt < 0)
                break;
            pos = parseMarkup(lt);
        }
        if (!stack_.empty())
            closeAt(0, s_.size());
        return true;
    }

private:
    struct Frame {
        int node;
        qsizetype tagBegin;
    };

    // Skips everything before the root and opens it. Only a start tag can begin the root, so
    // comments and instructions are skipped whole lest a tag inside them be taken for it.
    bool parseProlog(qsizetype* pos)
    {
        bool doctypeSkippable = true;
        for (;;) {
            const qsizetype lt = s_.indexOf(u'<', *pos);
            if (lt < 0)
                return false;
            qsizetype nameEnd = 0;
            bool selfClosing = false;
            const qsizetype tagEnd = matchStartTag(lt, &nameEnd, &selfClosing);
            if (tagEnd >= 0) {
                openElement(lt, nameEnd, tagEnd, selfClosing);
                *pos = tagEnd;
                return true;
            }
            qsizetype next = -1;
            const QStringView rest = s_.sliced(lt);
            if (rest.startsWith(u"<!--")) {
                next = endAfter(commentEnd_, lt + 4, 3);
            } else if (rest.startsWith(u"<?")) {
                next = endAfter(instructionEnd_, lt + 2, 2);
            } else if (doctypeSkippable && rest.startsWith(u"<!DOCTYPE")) {
                next = skipDoctype(lt);
                doctypeSkippable = next >= 0;
            }
            *pos = next >= 0 ? next : lt + 1;
        }
    }

    qsizetype skipDoctype(qsizetype lt) const
    {
        QChar quote;
        int depth = 0;
        for (qsizetype i = lt + 9; i < s_.size(); ++i) {
            const QChar c = s_[i];
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == u'"' || c == u'\'') {
                quote = c;
            } else if (c == u'[') {
                ++depth;
            } else if (c == u']') {
                depth = std::max(0, depth - 1);
            } else if (c == u'>' && depth == 0) {
                return i + 1;
            }
        }
        return -1;
    }

    qsizetype endAfter(ForwardFinder& finder, qsizetype from, qsizetype terminatorLength)
    {
        const qsizetype at = finder.find(s_, from);
        return at < 0 ? -1 : at + terminatorLength;
    }

    // Handles the '<' at lt inside the root; returns where text resumes.
    qsizetype parseMarkup(qsizetype lt)
    {
        const QStringView rest = s_.sliced(lt);
        if (rest.startsWith(u"</")) {
            qsizetype nameEnd = 0;
            const qsizetype tagEnd = matchEndTag(lt, &nameEnd);
            if (tagEnd < 0)
                return literalLessThan(lt);
            const int depth = findOpen(s_.sliced(lt + 2, nameEnd - lt - 2));
            if (depth < 0)
                textSink().append(s_.sliced(lt, tagEnd - lt));
            else
                closeAt(depth, lt);
            return tagEnd;
        }
        if (rest.startsWith(u"<!--")) {
            const qsizetype end = endAfter(commentEnd_, lt + 4, 3);
            if (end < 0)
                return literalLessThan(lt);
            addLeaf(Kind::Comment, lt, end, 0, 0, s_.sliced(lt + 4, end - 3 - lt - 4).toString());
            return end;
        }
        if (rest.startsWith(u"<![CDATA[")) {
            const qsizetype end = endAfter(cdataEnd_, lt + 9, 3);
            if (end < 0)
                return literalLessThan(lt);
            textSink().append(s_.sliced(lt + 9, end - 3 - lt - 9));
            return end;
        }
        if (rest.startsWith(u"<?")) {
            qsizetype nameEnd = lt + 2;
            if (nameEnd >= s_.size() || !isNameStartChar(s_[nameEnd]))
                return literalLessThan(lt);
            while (nameEnd < s_.size() && isNameChar(s_[nameEnd]))
                ++nameEnd;
            const qsizetype end = endAfter(instructionEnd_, nameEnd, 2);
            if (end < 0)
                return literalLessThan(lt);
            qsizetype contentBegin = nameEnd;
            while (contentBegin < end - 2 && isSpace(s_[contentBegin]))
                ++contentBegin;
            addLeaf(Kind::ProcessingInstruction, lt, end, lt + 2, nameEnd - lt - 2,
                    s_.sliced(contentBegin, end - 2 - contentBegin).toString());
            return end;
        }
        qsizetype nameEnd = 0;
        bool selfClosing = false;
        const qsizetype tagEnd = matchStartTag(lt, &nameEnd, &selfClosing);
        if (tagEnd < 0)
            return literalLessThan(lt);
        openElement(lt, nameEnd, tagEnd, selfClosing);
        return tagEnd;
    }

    qsizetype literalLessThan(qsizetype lt)
    {
        textSink().append(u'<');
        return lt + 1;
    }

    // `<name attr="v" ...>` or `<name .../>` at lt: returns the position after it, or -1. Every
    // failure happens at the latest on the next '<', which keeps repeated attempts linear.
    qsizetype matchStartTag(qsizetype lt, qsizetype* nameEnd, bool* selfClosing) const
    {
        const qsizetype n = s_.size();
        qsizetype i = lt + 1;
        if (i >= n || !isNameStartChar(s_[i]))
            return -1;
        while (++i < n && isNameChar(s_[i])) {
        }
        *nameEnd = i;
        for (;;) {
            const qsizetype beforeSpace = i;
            while (i < n && isSpace(s_[i]))
                ++i;
            if (i >= n)
                return -1;
            if (s_[i] == u'>') {
                *selfClosing = false;
                return i + 1;
            }
            if (s_[i] == u'/') {
                if (i + 1 < n && s_[i + 1] == u'>') {
                    *selfClosing = true;
                    return i + 2;
                }
                return -1;
            }
            if (i == beforeSpace || !isNameStartChar(s_[i]))
                return -1;
            while (++i < n && isNameChar(s_[i])) {
            }
            while (i < n && isSpace(s_[i]))
                ++i;
            if (i >= n || s_[i] != u'=')
                return -1;
            ++i;
            while (i < n && isSpace(s_[i]))
                ++i;
            if (i >= n || (s_[i] != u'"' && s_[i] != u'\''))
                return -1;
            const QChar quote = s_[i++];
            while (i < n && s_[i] != quote) {
                if (s_[i] == u'<')
                    return -1;
                ++i;
            }
            if (i >= n)
                return -1;
            ++i;
        }
    }

    // `</name>` at lt: returns the position after it, or -1.
    qsizetype matchEndTag(qsizetype lt, qsizetype* nameEnd) const
    {
        const qsizetype n = s_.size();
        qsizetype i = lt + 2;
        if (i >= n || !isNameStartChar(s_[i]))
            return -1;
        while (++i < n && isNameChar(s_[i])) {
        }
        *nameEnd = i;
        while (i < n && isSpace(s_[i]))
            ++i;
        return i < n && s_[i] == u'>' ? i + 1 : -1;
    }

    void openElement(qsizetype lt, qsizetype nameEnd, qsizetype tagEnd, bool selfClosing)
    {
        const int index = int(tree_.nodes.size());
        XmlNodeData& node = tree_.nodes.emplace_back();
        node.kind = Kind::Element;
        node.parent = stack_.empty() ? -1 : stack_.back().node;
        node.markupBegin = lt;
        node.markupLength = tagEnd - lt;
        node.nameBegin = lt + 1;
        node.nameLength = nameEnd - lt - 1;
        if (selfClosing) {
            node.end = index + 1;
            return;
        }
        stack_.push_back({index, lt});
        const int depth = int(stack_.size()) - 1;
        if (depth >= kScannedDepth)
            deepByName_[tree_.name(index)].push_back(depth);
    }

    void addLeaf(Kind kind, qsizetype begin, qsizetype end, qsizetype nameBegin,
                 qsizetype nameLength, QString text)
    {
        const int index = int(tree_.nodes.size());
        XmlNodeData& node = tree_.nodes.emplace_back();
        node.kind = kind;
        node.parent = stack_.back().node;
        node.end = index + 1;
        node.markupBegin = begin;
        node.markupLength = end - begin;
        node.nameBegin = nameBegin;
        node.nameLength = nameLength;
        node.text = std::move(text);
    }

    // The text node of the innermost open element that text is appended to, so adjacent pieces
    // end up in one node.
    QString& textSink()
    {
        const int parent = stack_.back().node;
        XmlNodeData& last = tree_.nodes.back();
        if (last.kind == Kind::Text && last.parent == parent)
            return last.text;
        const int index = int(tree_.nodes.size());
        XmlNodeData& node = tree_.nodes.emplace_back();
        node.parent = parent;
        node.end = index + 1;
        return node.text;
    }

    // Stack depth of the innermost open element called `name`, or -1.
    int findOpen(QStringView name) const
    {
        const int size = int(stack_.size());
        if (tree_.name(stack_.back().node) == name)
            return size - 1;
        if (size > kScannedDepth) {
            const auto deep = deepByName_.constFind(name);
            if (deep != deepByName_.cend() && !deep->empty())
                return deep->back();
        }
        for (int depth = std::min(size, kScannedDepth) - 1; depth >= 0; --depth) {
            if (tree_.name(stack_[depth].node) == name)
                return depth;
        }
        return -1;
    }

    void popFrame()
    {
        if (int(stack_.size()) > kScannedDepth)
            deepByName_[tree_.name(stack_.back().node)].pop_back();
        stack_.pop_back();
    }

    // Closes the open element at stack depth `depth` where its end tag starts at `at`. Elements
    // opened inside it and still open were not elements after all: the source from the outermost
    // of them up to `at` becomes text of the closed element.
    void closeAt(int depth, qsizetype at)
    {
        if (depth + 1 < int(stack_.size())) {
            const Frame demoted = stack_[depth + 1];
            tree_.nodes.erase(tree_.nodes.begin() + demoted.node, tree_.nodes.end());
            while (int(stack_.size()) > depth + 1)
                popFrame();
            appendDecoded(textSink(), s_.sliced(demoted.tagBegin, at - demoted.tagBegin));
        }
        tree_.nodes[stack_.back().node].end = int(tree_.nodes.size());
        popFrame();
    }

    XmlTree& tree_;
    QStringView s_;
    std::vector<Frame> stack_;
    // Real files nest a few levels deep, so the stack is scanned; frames deeper than that are
    // indexed by name so that pathological nesting stays linear.
    static constexpr int kScannedDepth = 32;
    QHash<QStringView, std::vector<int>> deepByName_;
    ForwardFinder commentEnd_{u"-->"};
    ForwardFinder cdataEnd_{u"]]>"};
    ForwardFinder instructionEnd_{u"?>"};
};

// Drops whitespace-only text that sits beside an element (indentation), then indexes children.
void finish(XmlTree& tree)
{
    std::vector<XmlNodeData>& nodes = tree.nodes;
    const int count = int(nodes.size());
    std::vector<char> hasElementChild(count, 0);
    for (int i = 1; i < count; ++i) {
        if (nodes[i].kind == Kind::Element)
            hasElementChild[nodes[i].parent] = 1;
    }
    // newIndex[i]: kept nodes before i, which is i's index after compaction when i is kept.
    std::vector<int> newIndex(count + 1);
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        newIndex[i] = kept;
        const XmlNodeData& node = nodes[i];
        const bool indentation =
            node.kind == Kind::Text && hasElementChild[node.parent] && isBlank(node.text);
        if (!indentation)
            ++kept;
    }
    newIndex[count] = kept;
    for (int i = 0; i < count; ++i) {
        if (newIndex[i + 1] == newIndex[i])
            continue;
        XmlNodeData& node = nodes[i];
        node.parent = node.parent < 0 ? -1 : newIndex[node.parent];
        node.end = newIndex[node.end];
        if (newIndex[i] != i)
            nodes[newIndex[i]] = std::move(node);
    }
    nodes.erase(nodes.begin() + kept, nodes.end());

    tree.childBegin.assign(kept + 1, 0);
    for (int i = 1; i < kept; ++i)
        ++tree.childBegin[nodes[i].parent + 1];
    for (int i = 0; i < kept; ++i)
        tree.childBegin[i + 1] += tree.childBegin[i];
    tree.childList.resize(kept > 0 ? kept - 1 : 0);
    std::vector<int> cursor(tree.childBegin.begin(), tree.childBegin.end() - 1);
    for (int i = 1; i < kept; ++i)
        tree.childList[cursor[nodes[i].parent]++] = i;
}

} // namespace

XmlNode::XmlNode(std::shared_ptr<const detail::XmlTree> tree, int index)
    : tree_(std::move(tree)), index_(index)
{
}

XmlNode::Kind XmlNode::kind() const
{
    return tree_ ? tree_->nodes[index_].kind : Kind::Text;
}

QString XmlNode::name() const
{
    if (!tree_)
        return {};
    const Kind k = kind();
    if (k != Kind::Element && k != Kind::ProcessingInstruction)
        return {};
    return tree_->name(index_).toString();
}

QString XmlNode::markup() const
{
    if (!tree_)
        return {};
    const XmlNodeData& node = tree_->nodes[index_];
    if (node.kind == Kind::Text)
        return markupValue();
    return tree_->slice(node.markupBegin, node.markupLength).toString();
}

QString XmlNode::stringValue() const
{
    if (!tree_)
        return {};
    const XmlNodeData& node = tree_->nodes[index_];
    if (node.kind != Kind::Element)
        return node.text;
    // Descendants are the contiguous range after the node.
    qsizetype length = 0;
    int textCount = 0;
    int lastText = -1;
    for (int i = index_ + 1; i < node.end; ++i) {
        if (tree_->nodes[i].kind == Kind::Text) {
            length += tree_->nodes[i].text.size();
            ++textCount;
            lastText = i;
        }
    }
    if (textCount == 1)
        return tree_->nodes[lastText].text;
    QString value;
    value.reserve(length);
    for (int i = index_ + 1; i < node.end; ++i) {
        if (tree_->nodes[i].kind == Kind::Text)
            value.append(tree_->nodes[i].text);
    }
    return value;
}

QString XmlNode::markupValue() const
{
    return escapeMarkup(stringValue());
}

int XmlNode::childCount() const
{
    return tree_ ? tree_->childBegin[index_ + 1] - tree_->childBegin[index_] : 0;
}

XmlNode XmlNode::child(int index) const
{
    if (index < 0 || index >= childCount())
        return {};
    return XmlNode(tree_, tree_->childList[tree_->childBegin[index_] + index]);
}

std::vector<XmlNode> XmlNode::children() const
{
    std::vector<XmlNode> result;
    const int count = childCount();
    result.reserve(count);
    for (int i = 0; i < count; ++i)
        result.push_back(child(i));
    return result;
}

std::vector<XmlNode> XmlNode::childElements() const
{
    std::vector<XmlNode> result;
    const int count = childCount();
    for (int i = 0; i < count; ++i) {
        const int node = tree_->childList[tree_->childBegin[index_] + i];
        if (tree_->nodes[node].kind == Kind::Element)
            result.push_back(XmlNode(tree_, node));
    }
    return result;
}

XmlNode XmlNode::firstChildElement(const QString& name) const
{
    const int count = childCount();
    for (int i = 0; i < count; ++i) {
        const int node = tree_->childList[tree_->childBegin[index_] + i];
        if (tree_->nodes[node].kind == Kind::Element && tree_->name(node) == name)
            return XmlNode(tree_, node);
    }
    return {};
}

XmlNode XmlNode::parent() const
{
    if (!tree_ || tree_->nodes[index_].parent < 0)
        return {};
    return XmlNode(tree_, tree_->nodes[index_].parent);
}

LenientXmlDocument::LenientXmlDocument(std::shared_ptr<const detail::XmlTree> tree)
    : tree_(std::move(tree))
{
}

QString LenientXmlDocument::decodeText(const QByteArray& bytes, bool* ok)
{
    bool decoded = false;
    const char* encoding = nullptr;
    QString text = decodeBytes(bytes, &decoded, &encoding);
    if (ok)
        *ok = decoded;
    return text;
}

std::optional<LenientXmlDocument> LenientXmlDocument::parse(const QByteArray& bytes,
                                                            QString* errorMessage)
{
    bool ok = false;
    const char* encoding = nullptr;
    const QString text = decodeBytes(bytes, &ok, &encoding);
    if (!ok) {
        if (errorMessage)
            *errorMessage =
                QStringLiteral("The file is not valid %1 text.").arg(QLatin1StringView(encoding));
        return std::nullopt;
    }
    return parse(text, errorMessage);
}

std::optional<LenientXmlDocument> LenientXmlDocument::parse(const QString& text,
                                                            QString* errorMessage)
{
    auto tree = std::make_shared<XmlTree>();
    tree->source = normaliseLineEnds(text);
    if (!Parser(*tree).run()) {
        if (errorMessage)
            *errorMessage = QStringLiteral("The file contains no root element.");
        return std::nullopt;
    }
    finish(*tree);
    return LenientXmlDocument(std::move(tree));
}

XmlNode LenientXmlDocument::root() const
{
    return XmlNode(tree_, 0);
}

std::vector<XmlNode> LenientXmlDocument::select(const QString& path) const
{
    if (!path.startsWith(u'/'))
        return {};
    const QList<QStringView> steps = QStringView(path).sliced(1).split(u'/');
    for (QStringView step : steps) {
        if (step.isEmpty())
            return {};
    }
    if (tree_->name(0) != steps.front())
        return {};
    std::vector<int> current{0};
    for (qsizetype s = 1; s < steps.size(); ++s) {
        std::vector<int> next;
        for (int node : current) {
            for (int c = tree_->childBegin[node]; c < tree_->childBegin[node + 1]; ++c) {
                const int candidate = tree_->childList[c];
                if (tree_->nodes[candidate].kind == Kind::Element &&
                    tree_->name(candidate) == steps[s])
                    next.push_back(candidate);
            }
        }
        current = std::move(next);
    }
    std::vector<XmlNode> result;
    result.reserve(current.size());
    for (int node : current)
        result.push_back(XmlNode(tree_, node));
    return result;
}

} // namespace platform
