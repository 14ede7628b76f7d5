#include "loader/windows1250_encoding.h"

#include <gtest/gtest.h>
#include <libxml/encoding.h>

#include <string>

#include "base/windows1250.h"
#include "loader/model_queries.h"
#include "loader/outside_resource_block.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

std::string Decode(const std::string& bytes, int outRoom) {
    std::string text;
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    int left = static_cast<int>(bytes.size());
    while (left > 0) {
        std::string out(static_cast<std::size_t>(outRoom), '\0');
        int outLength = outRoom;
        int inLength = left;
        EXPECT_GE(Windows1250ToUtf8Chunk(reinterpret_cast<unsigned char*>(out.data()), &outLength,
                                         in, &inLength),
                  0);
        if (inLength == 0) {
            ADD_FAILURE() << "no progress with " << outRoom << " bytes of room";
            break;
        }
        text.append(out, 0, static_cast<std::size_t>(outLength));
        in += inLength;
        left -= inLength;
    }
    return text;
}

TEST(Windows1250EncodingTest, ParserFindsOurHandlerUnderEveryName) {
    PrepareXmlParser();
    for (const char* name : {"windows-1250", "WINDOWS-1250", "cp1250", "x-cp1250"}) {
        xmlCharEncodingHandler* const handler = xmlFindCharEncodingHandler(name);
        ASSERT_NE(handler, nullptr) << name;
        EXPECT_EQ(handler->input, &Windows1250ToUtf8Chunk) << name;
        EXPECT_EQ(handler->output, &Utf8ToWindows1250Chunk) << name;
        xmlCharEncCloseFunc(handler);
    }
}

// Every byte decodes as the shared table says, also when the output room ends inside a
// character (3 bytes of room hold one euro sign and nothing more).
TEST(Windows1250EncodingTest, DecodesEveryByteInAnyChunking) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    for (const int room : {3, 4, 7, 4096}) {
        EXPECT_EQ(Decode(all, room), Windows1250ToUtf8(all)) << room;
    }
}

TEST(Windows1250EncodingTest, EncodesUntilTheFirstCharacterOutsideTheCodePage) {
    const std::string text = "Łódź €日x";
    std::string out(32, '\0');
    int outLength = static_cast<int>(out.size());
    int inLength = static_cast<int>(text.size());
    EXPECT_EQ(
        Utf8ToWindows1250Chunk(reinterpret_cast<unsigned char*>(out.data()), &outLength,
                               reinterpret_cast<const unsigned char*>(text.data()), &inLength),
        -2);
    EXPECT_EQ(out.substr(0, static_cast<std::size_t>(outLength)), "\xA3\xF3\x64\x9F\x20\x80");
    EXPECT_EQ(text.substr(static_cast<std::size_t>(inLength)), "日x");
}

// glibc's iconv refuses the five bytes Windows-1250 leaves unassigned; Windows, and our table,
// read them as the control characters of the same number. A file holding one loads the same on
// both platforms only when our handler decodes it.
TEST(Windows1250EncodingTest, FileWithAnUnassignedByteDecodesAsOnWindows) {
    std::string text = testing::ReadBytes(testing::DataFile("encoding_windows1250.xml"));
    const std::string name = *Utf8ToWindows1250("Łódź ŻÓŁW ąćęłńóśźż");
    const std::size_t at = text.find(name);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, name.size(),
                 "A\x98"
                 "B");
    const testing::TempFolder folder;
    testing::RecordingSink sink;
    DocumentHolder document;
    ASSERT_EQ(testing::LoadWithEmbeddedSchema(document, folder.Write("cp1250.xml", text), sink),
              S_OK_STATUS)
        << (sink.messages.empty() ? "" : sink.messages.front());
    ModelList models;
    ASSERT_TRUE(SelectModels(document, models, DeviceKind::CashRegister));
    ASSERT_EQ(models.size(), 1u);
    std::string read;
    EXPECT_TRUE(ReadModelName(models[0], read));
    EXPECT_EQ(read, "A\u0098B");
}

}  // namespace
}  // namespace pantrel
