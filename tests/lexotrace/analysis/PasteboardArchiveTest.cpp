// The keyed archive that drag and copy payloads travel in, and the reader's refusal of anything
// it did not write.
#include "platform/Pasteboard.h"

#include <gtest/gtest.h>

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QUrl>

using namespace platform;

namespace
{

QVariant everyKind()
{
    return QVariantMap{
        {"cSpell", "receive"},
        {"empty", QString()},
        {"unicode", QString::fromUtf8("na\xc3\xafve \xe2\x9c\x93")},
        {"bytes", QByteArray("\x00\x01\xff", 3)},
        {"url", QUrl("x-orthova://store/Levels/p3")},
        {"rows", QVariant::fromValue(QList<int>{0, 4, 9})},
        {"absent", QVariant()},
        {"nested", QVariantList{"a", QVariantMap{{"k", "v"}}, QVariantList{}}},
    };
}

} // namespace

TEST(KeyedArchive, EveryCarriedKindComesBackAsWritten)
{
    const auto bytes = keyedArchive::archive(everyKind());
    ASSERT_TRUE(bytes.has_value());
    const auto back = keyedArchive::unarchive(*bytes);
    ASSERT_TRUE(back.has_value());
    const QVariantMap map = back->toMap();
    EXPECT_EQ(map, everyKind().toMap());
    EXPECT_EQ(map.value("rows").value<QList<int>>(), (QList<int>{0, 4, 9}));
    EXPECT_FALSE(map.value("absent").isValid());
    EXPECT_TRUE(map.contains("absent"));

    EXPECT_EQ(keyedArchive::unarchiveDictionary(*bytes), everyKind().toMap());
    // A list root is an archive, but not a dictionary.
    const auto list = keyedArchive::archive(QVariantList{"x"});
    ASSERT_TRUE(list.has_value());
    EXPECT_TRUE(keyedArchive::unarchive(*list).has_value());
    EXPECT_FALSE(keyedArchive::unarchiveDictionary(*list).has_value());
}

TEST(KeyedArchive, TypesTheFormatDoesNotCarryAreNotWritten)
{
    EXPECT_FALSE(keyedArchive::archive(QVariantMap{{"n", 3}}).has_value());
    EXPECT_FALSE(keyedArchive::archive(QVariantList{QStringList{"a"}}).has_value());
    EXPECT_FALSE(keyedArchive::archive(QVariant::fromValue(QList<int>{1, -2})).has_value());
}

TEST(KeyedArchive, DamagedOrForeignBytesAreRejected)
{
    const QByteArray good = *keyedArchive::archive(everyKind());
    ASSERT_TRUE(keyedArchive::unarchive(good).has_value());

    EXPECT_FALSE(keyedArchive::unarchive({}).has_value());
    // Every truncation.
    for (qsizetype size = 0; size < good.size(); ++size)
        EXPECT_FALSE(keyedArchive::unarchive(good.left(size)).has_value()) << size;
    EXPECT_FALSE(keyedArchive::unarchive(good + '\0').has_value());

    QByteArray magic = good;
    magic[0] = 'X';
    EXPECT_FALSE(keyedArchive::unarchive(magic).has_value());

    // A plain QDataStream of the same map is not our archive.
    QByteArray foreign;
    QDataStream stream(&foreign, QIODevice::WriteOnly);
    stream << everyKind();
    EXPECT_FALSE(keyedArchive::unarchive(foreign).has_value());

    // Header, then hand-made bodies: unknown tag, a size beyond the data, invalid UTF-8, a
    // negative index, a duplicate key.
    const QByteArray header = good.left(good.indexOf("ARCHIVE") + 7 + 2);
    auto body = [&](auto write) {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        write(out);
        return header + bytes;
    };
    auto string = [](QDataStream& out, const QByteArray& text) {
        out << quint8(3) << quint32(text.size());
        out.writeRawData(text.constData(), int(text.size()));
    };
    EXPECT_TRUE(keyedArchive::unarchive(body([&](QDataStream& o) { string(o, "ok"); })));
    EXPECT_FALSE(keyedArchive::unarchive(body([](QDataStream& o) { o << quint8(42); })));
    EXPECT_FALSE(keyedArchive::unarchive(
        body([](QDataStream& o) { o << quint8(3) << quint32(0xffffffff) << quint8('a'); })));
    EXPECT_FALSE(keyedArchive::unarchive(
        body([](QDataStream& o) { o << quint8(2) << quint32(0x7fffffff) << quint8(0); })));
    EXPECT_FALSE(keyedArchive::unarchive(body([&](QDataStream& o) { string(o, "\xc3("); })));
    EXPECT_FALSE(keyedArchive::unarchive(
        body([](QDataStream& o) { o << quint8(6) << quint32(1) << qint32(-1); })));
    EXPECT_FALSE(keyedArchive::unarchive(body([&](QDataStream& o) {
        o << quint8(1) << quint32(2);
        string(o, "k");
        o << quint8(0);
        string(o, "k");
        o << quint8(0);
    })));
    // Nesting deeper than any payload is refused rather than followed.
    EXPECT_FALSE(keyedArchive::unarchive(body([](QDataStream& o) {
        for (int i = 0; i < 10000; ++i)
            o << quint8(2) << quint32(1);
        o << quint8(0);
    })));
}

TEST(PasteboardPayload, ATypeTravelsAsItsApplicationFormatAlone)
{
    QMimeData data;
    data.setText("earlier");
    pasteboard::setSingleType(data, "MyLessonPBoardType", "bytes");
    EXPECT_EQ(data.formats(), QStringList{"application/x-MyLessonPBoardType"});
    EXPECT_EQ(pasteboard::dataForType(data, "MyLessonPBoardType"), QByteArray("bytes"));
    EXPECT_FALSE(pasteboard::dataForType(data, "Other").has_value());

    pasteboard::setSingleString(data, "");
    EXPECT_EQ(data.formats(), QStringList{"text/plain"});
    EXPECT_EQ(data.text(), "");
}
