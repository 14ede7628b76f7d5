#include <gtest/gtest.h>

#include <string>

#include "../support/special_files.h"
#include "loader/specification_errors.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

using testing::DataFile;
using testing::LoadWithEmbeddedSchema;
using testing::ReadBytes;
using testing::RecordingSink;
using testing::TempFolder;

std::string OnlyMessage(const std::string& path) {
    RecordingSink sink;
    DocumentHolder document;
    EXPECT_LT(LoadWithEmbeddedSchema(document, path, sink), 0);
    EXPECT_EQ(document, nullptr);
    EXPECT_EQ(sink.messages.size(), 1u);
    return sink.messages.empty() ? std::string() : sink.messages.front();
}

// Line 10 is `        <Nazwa>Żółw & Syn</Nazwa>`: the bare ampersand is the 21st character
// (Polish letters count once), and the parser stands on the 22nd when it gives up.
TEST(LoaderMessageTest, NamesFileLinePositionDescriptionAndSourceLine) {
    const std::string path = DataFile("message_position.xml");
    EXPECT_EQ(OnlyMessage(path), "Błąd w pliku '" + path +
                                     "' linia 10, pozycja 22:\n"
                                     "Po znaku '&' brakuje nazwy encji; sam znak '&' zapisuje "
                                     "się w tekście jako '&amp;'.\n"
                                     "        <Nazwa>Żółw & Syn</Nazwa>");
}

TEST(LoaderMessageTest, QuotesTheSourceLineInUtf8WhateverTheFileEncoding) {
    const std::string path = DataFile("message_position_windows1250.xml");
    EXPECT_EQ(OnlyMessage(path), "Błąd w pliku '" + path +
                                     "' linia 10, pozycja 22:\n"
                                     "Po znaku '&' brakuje nazwy encji; sam znak '&' zapisuje "
                                     "się w tekście jako '&amp;'.\n"
                                     "        <Nazwa>Żółw & Syn</Nazwa>");
}

TEST(LoaderMessageTest, SchemaErrorStandsWhereTheOffendingTagEnds) {
    const std::string path = DataFile("invalid_model_name_bar.xml");
    EXPECT_EQ(OnlyMessage(path),
              "Błąd w pliku '" + path +
                  "' linia 10, pozycja 33:\n"
                  "Element 'Nazwa': wartość 'Orzeł|200' nie pasuje do wzorca '[^\\|]+'.\n"
                  "        <Nazwa>Orzeł|200</Nazwa>");
}

TEST(LoaderMessageTest, PathWithPolishLettersIsQuotedUnchanged) {
    const TempFolder folder;
    const std::string broken = folder.Write("Sterowniki żółć/zła specyfikacja ąę.xml",
                                            ReadBytes(DataFile("invalid_typ_lower_case.xml")));
    EXPECT_EQ(OnlyMessage(broken).rfind("Błąd w pliku '" + broken + "' linia 3, pozycja ", 0), 0u);

    const std::string valid =
        folder.Write("Sterowniki żółć/dobra ąę.xml", ReadBytes(DataFile("valid_minimal.xml")));
    RecordingSink sink;
    DocumentHolder document;
    EXPECT_EQ(LoadWithEmbeddedSchema(document, valid, sink), S_OK_STATUS);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(LoaderMessageTest, UnreadableFileGetsAMessageWithoutPosition) {
    const TempFolder folder;
    const std::string missing = (folder.path() / "brak.xml").string();
    EXPECT_EQ(OnlyMessage(missing),
              "Błąd w pliku '" + missing +
                  "' linia 0, pozycja 0:\nNie można otworzyć pliku do odczytu.\n");
}

// A folder, an endless device and a pipe nobody writes to are no files: each must be refused
// at once rather than read forever or waited on.
TEST(LoaderMessageTest, AnythingButARegularFileIsAnUnreadableFile) {
    const TempFolder folder;
    for (const std::string& path : testing_support::NonRegularFiles(folder.path())) {
        EXPECT_EQ(OnlyMessage(path), "Błąd w pliku '" + path +
                                         "' linia 0, pozycja 0:\nNie można otworzyć pliku do "
                                         "odczytu.\n");
    }
}

TEST(LoaderMessageTest, SourceLineIsQuotedAsUtf8TextEvenWhenTheFileIsNot) {
    const TempFolder folder;
    std::string text = ReadBytes(DataFile("valid_minimal.xml"));
    text.replace(text.find("Orzeł 200"), std::string("Orzeł 200").size(), "Orze\xFF\x01 200");
    const std::string message = OnlyMessage(folder.Write("zle bajty.xml", text));
    EXPECT_NE(message.find("' linia 10, pozycja "), std::string::npos) << message;
    EXPECT_TRUE(message.ends_with("\n        <Nazwa>Orze\uFFFD\uFFFD 200</Nazwa>")) << message;
}

TEST(LoaderMessageTest, SecondLoadOfTheSameFileRepeatsEverything) {
    const std::string broken = DataFile("invalid_no_model.xml");
    EXPECT_EQ(OnlyMessage(broken), OnlyMessage(broken));

    RecordingSink sink;
    DocumentHolder first;
    DocumentHolder second;
    EXPECT_EQ(LoadWithEmbeddedSchema(first, DataFile("valid_minimal.xml"), sink), S_OK_STATUS);
    EXPECT_EQ(LoadWithEmbeddedSchema(second, DataFile("valid_minimal.xml"), sink), S_OK_STATUS);
    EXPECT_NE(first, second);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(LoaderMessageTest, HolderIsEmptiedBeforeTheLoad) {
    RecordingSink sink;
    DocumentHolder document;
    ASSERT_EQ(LoadWithEmbeddedSchema(document, DataFile("valid_minimal.xml"), sink), S_OK_STATUS);
    const std::weak_ptr<SpecificationDocument> previous = document;
    EXPECT_LT(LoadWithEmbeddedSchema(document, DataFile("invalid_no_model.xml"), sink), 0);
    EXPECT_EQ(document, nullptr);
    EXPECT_TRUE(previous.expired());
}

TEST(LoaderMessageTest, LongSourceLineIsCutWithAMark) {
    const TempFolder folder;
    std::string text = ReadBytes(DataFile("invalid_model_name_bar.xml"));
    const std::string longName = "Orzeł|" + std::string(2000, 'x');
    text.replace(text.find("Orzeł|200"), std::string("Orzeł|200").size(), longName);
    const std::string message = OnlyMessage(folder.Write("long.xml", text));
    const std::string quoted = message.substr(message.rfind('\n') + 1);
    EXPECT_EQ(quoted, ("        <Nazwa>" + longName).substr(0, 1000) + "…");
}

// libxml2 caps line numbers at 65,535 unless asked for big ones.
class BigLineNumberTest : public ::testing::Test {
protected:
    // Valid up to the model name, which comes after `blankLines` empty lines.
    std::string WriteWithModelName(const std::string& name, int blankLines) {
        std::string text = ReadBytes(DataFile("valid_minimal.xml"));
        text.replace(text.find("Orzeł 200"), std::string("Orzeł 200").size(), name);
        text.insert(text.find("  <Sterownik "),
                    std::string(static_cast<std::size_t>(blankLines), '\n'));
        return folder_.Write("duzy.xml", text);
    }

    TempFolder folder_;
};

TEST_F(BigLineNumberTest, ParseErrorPastLine65535HasItsRealLine) {
    const std::string path = WriteWithModelName("a & b", 70000);
    const std::string message = OnlyMessage(path);
    EXPECT_EQ(message.rfind("Błąd w pliku '" + path + "' linia 70010, pozycja 19:\n", 0), 0u)
        << message.substr(0, 200);
    EXPECT_TRUE(message.ends_with("\n        <Nazwa>a & b</Nazwa>"));
}

TEST_F(BigLineNumberTest, SchemaErrorPastLine65535HasItsRealLine) {
    const std::string path = WriteWithModelName("a|b", 70000);
    EXPECT_EQ(OnlyMessage(path).rfind("Błąd w pliku '" + path + "' linia 70010, pozycja 27:\n", 0),
              0u);
    const auto errors = CollectSpecificationErrors(path);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front().line, 70010);
}

}  // namespace
}  // namespace pantrel
