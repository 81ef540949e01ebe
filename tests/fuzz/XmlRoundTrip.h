#pragma once

// For the lessons and rules files, whose writer inserts values verbatim: which values a second
// export writes the same way, and a store to import into.
#include "model/OrthovaModel.h"
#include "platform/store/ObjectContext.h"
#include "platform/xml/LenientXmlDocument.h"
#include "tests/fuzz/FuzzSupport.h"

#include <memory>

namespace fuzz
{

// How an import reads a value: the text of its element, or the markup form of the element's
// first node.
enum class ValueForm { Text, FirstNodeMarkup };

// True when `value`, written verbatim inside the elements of `path` (the root first), reads back
// as itself. Values that fail this are not escaped by the writer and change on the next trip by
// design; those that pass must come back unchanged.
inline bool readsBackAsItself(const QString& value, const QStringList& path, ValueForm form)
{
    // Line ends are normalised on reading; a comment, CDATA section or instruction opened in one
    // value could end in another.
    if (value.contains(u'\r'))
        return false;
    for (const char* end : {"-->", "]]>", "?>"})
        if (value.contains(QLatin1StringView(end)))
            return false;
    // Laid out as the writer lays it out: one element a line, the value right inside its own.
    QString text;
    for (const QString& name : path.first(path.size() - 1))
        text += u'<' + name + QStringLiteral(">\n");
    text += u'<' + path.last() + u'>' + value + QStringLiteral("</") + path.last() +
            QStringLiteral(">\n");
    for (qsizetype i = path.size() - 2; i >= 0; --i)
        text += QStringLiteral("</") + path[i] + QStringLiteral(">\n");
    const auto document = platform::LenientXmlDocument::parse(text);
    if (!document)
        return false;
    platform::XmlNode node = document->root();
    for (qsizetype i = 1; i < path.size() && !node.isNull(); ++i)
        node = node.firstChildElement(path[i]);
    if (node.isNull())
        return false;
    if (form == ValueForm::Text)
        return node.stringValue() == value;
    const platform::XmlNode first = node.firstChild();
    return !first.isNull() && first.markupValue() == value;
}

// A file as the exports write it, UTF-16 after its byte-order mark, as text for a message.
inline QString exportedText(const QByteArray& bytes)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                              (bytes.size() - 2) / 2);
}

// A store of the shared model on a file that is never written.
struct ScratchStore {
    std::shared_ptr<platform::StoreCoordinator> coordinator =
        std::make_shared<platform::StoreCoordinator>(model::orthovaCoreData());
    std::unique_ptr<platform::ObjectContext> context;

    ScratchStore()
    {
        platform::StoreError error;
        if (!coordinator->addStore(file(QStringLiteral("never-written.store")), &error))
            fail("a store on a missing file does not open", error.message);
        context = std::make_unique<platform::ObjectContext>(coordinator);
    }

    QList<platform::ManagedObject*> all(const QString& entity) const
    {
        return context->fetch(platform::FetchRequest::all(entity))
            .value_or(QList<platform::ManagedObject*>{});
    }
};

} // namespace fuzz
