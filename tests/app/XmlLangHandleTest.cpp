// The handler's callbacks, called directly in the order a reader would.
#include "XmlLangHandle.h"
#include "TestSupport.h"

namespace {

struct Driver {
    LangMap table;
    XmlLangHandle handler{&table};

    void element(const QString& name, const QString& text) {
        EXPECT_TRUE(handler.startElement(u"", name, name, {}));
        EXPECT_TRUE(handler.characters(text));
        EXPECT_TRUE(handler.endElement(u"", name, name));
    }
};

TEST(XmlLangHandle, PairIsStoredWhenDescEnds) {
    Driver d;
    d.element("code", "IDS_A");
    EXPECT_TRUE(d.table.isEmpty());
    d.element("desc", "Alpha");
    EXPECT_EQ(d.table, (LangMap{{"IDS_A", "Alpha"}}));
}

TEST(XmlLangHandle, CharactersAccumulateUntilNextStartTag) {
    Driver d;
    d.element("code", "IDS_A");
    ASSERT_TRUE(d.handler.startElement(u"", u"desc", u"desc", {}));
    d.handler.characters(u"Al");
    d.handler.characters(u"");
    d.handler.characters(u"pha");
    d.handler.endElement(u"", u"desc", u"desc");
    EXPECT_EQ(d.table.value("IDS_A"), "Alpha");
}

TEST(XmlLangHandle, TheQualifiedNameDecides) {
    Driver d;
    d.handler.startElement(u"urn:x", u"code", u"x:code", {});
    d.handler.characters(u"IDS_X");
    d.handler.endElement(u"urn:x", u"code", u"x:code");
    d.element("desc", "text");
    EXPECT_EQ(d.table, (LangMap{{"", "text"}}));
}

TEST(XmlLangHandle, OtherElementsStoreNothing) {
    Driver d;
    d.element("item", "IDS_A");
    d.element("lang", "Alpha");
    EXPECT_TRUE(d.table.isEmpty());
}

TEST(XmlLangHandle, StopsAtFatalErrorAndReportsNothing) {
    Driver d;
    EXPECT_FALSE(d.handler.fatalError({"unexpected end", 3, 14}));
    EXPECT_TRUE(d.handler.errorString().isEmpty());
}

TEST(XmlLangHandle, WithoutTableStoresNothingAndSurvives) {
    XmlLangHandle handler(nullptr);
    handler.startElement(u"", u"desc", u"desc", {});
    handler.characters(u"text");
    EXPECT_TRUE(handler.endElement(u"", u"desc", u"desc"));
}

} // namespace
