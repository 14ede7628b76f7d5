#include "app/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../support/temp_folder.h"
#include "app/listing_text.h"

namespace pantrel {
namespace {

struct ParseCase {
    const char* text;
    CommandAction action;
    const char* path;
};

class ParseCommandLineTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTest, ActionAndPath) {
    const ParseCase& c = GetParam();
    const Command command = ParseCommandLine(c.text);
    EXPECT_EQ(command.action, c.action) << c.text;
    EXPECT_EQ(command.path, c.path) << c.text;
}

using A = CommandAction;
INSTANTIATE_TEST_SUITE_P(
    Switches, ParseCommandLineTest,
    testing::Values(
        ParseCase{"", A::Window, ""},
        // Either switch character, any letter case.
        ParseCase{"-install x.xml", A::Install, "x.xml"},
        ParseCase{"/INSTALL x.xml", A::Install, "x.xml"},
        ParseCase{"-Install x.xml", A::Install, "x.xml"},
        // The word is a prefix test: the path may follow it directly.
        ParseCase{"-Installx.xml", A::Install, "x.xml"},
        ParseCase{"/installx.xml", A::Install, "x.xml"},
        // Blanks and double quotes are trimmed from both ends, blanks inside stay.
        ParseCase{"-install \"/a b/c.xml\"", A::Install, "/a b/c.xml"},
        ParseCase{"-install  \" \"/a b/c.xml \" \" ", A::Install, "/a b/c.xml"},
        ParseCase{"-install", A::Install, ""}, ParseCase{"-install \"\"", A::Install, ""},
        // Uninstall never matches the install test.
        ParseCase{"-uninstall x.xml", A::Uninstall, "x.xml"},
        ParseCase{"/UnInstall\"x y.xml\"", A::Uninstall, "x y.xml"},
        ParseCase{"-validate x.xml", A::Validate, "x.xml"},
        ParseCase{"-export out.reg", A::Export, "out.reg"}, ParseCase{"-list", A::List, ""},
        ParseCase{"/LIST", A::List, ""}, ParseCase{"-list ", A::List, ""},
        // Everything else opens the window.
        ParseCase{"-listing", A::Window, ""}, ParseCase{"-list x", A::Window, ""},
        ParseCase{"-help", A::Window, ""}, ParseCase{"-?", A::Window, ""},
        ParseCase{"-", A::Window, ""}, ParseCase{"x.xml", A::Window, ""},
        ParseCase{" -install x.xml", A::Window, ""}, ParseCase{"-instal x.xml", A::Window, ""},
        // The two switches of the driver's installers stay prefix tests, whatever follows ...
        ParseCase{"/installers/x.xml", A::Install, "ers/x.xml"},
        ParseCase{"/uninstaller.xml", A::Uninstall, "er.xml"},
        // ... but the words only this tool adds stand alone: a path that merely begins with one
        // of them is no switch.
        ParseCase{"/exports/notes.txt", A::Window, ""}, ParseCase{"-exportout.reg", A::Window, ""},
        ParseCase{"/validated/x.xml", A::Window, ""}, ParseCase{"/lists/a.txt", A::Window, ""},
        ParseCase{"-EXPORT\"out.reg\"", A::Export, "out.reg"},
        ParseCase{"-validate\"a b.xml\"", A::Validate, "a b.xml"},
        ParseCase{"-export", A::Export, ""}, ParseCase{"-list\"\"", A::List, ""}));

TEST(EscapeListingField, EscapesWhatWouldSplitALineOrAField) {
    EXPECT_EQ(EscapeListingField("K-1 Łódź"), "K-1 Łódź");
    EXPECT_EQ(EscapeListingField("a\tb\rc\nd\\e"), "a\\tb\\rc\\nd\\\\e");
    // An escaped backslash followed by a letter is no escape of that letter.
    EXPECT_EQ(EscapeListingField("\\n"), "\\\\n");
    EXPECT_EQ(OnOneLine("C:\\a\tb\r\n"), "C:\\a\\tb\\r\\n");
}

TEST(JoinArguments, JoinsWithSingleBlanks) {
    const char* argv[] = {"pantrel", "-install", "/a b/c.xml", "x"};
    EXPECT_EQ(JoinArguments(4, argv), "-install /a b/c.xml x");
    EXPECT_EQ(JoinArguments(1, argv), "");
}

// The path as UTF-8 text, whatever the platform's own form of it.
std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

TEST(MakeFullPath, ResolvesAgainstTheCurrentFolder) {
    const std::filesystem::path cwd = std::filesystem::current_path();
    EXPECT_EQ(MakeFullPath("spec.xml"), Utf8(cwd / "spec.xml"));
    EXPECT_EQ(MakeFullPath("./b//./spec.xml"), Utf8(cwd / "b" / "spec.xml"));
    const testing_support::TempFolder folder;
    std::filesystem::create_directory(folder / "a");
    EXPECT_EQ(MakeFullPath(Utf8(folder / "a" / ".." / "b" / "spec.xml")),
              Utf8(folder.Path() / "b" / "spec.xml"));
    EXPECT_EQ(MakeFullPath(Utf8(cwd / "y.xml")), Utf8(cwd / "y.xml"));
    EXPECT_EQ(MakeFullPath(""), "");
}

// On Windows a narrow path is read in the ANSI code page: Polish letters must not go that way.
TEST(MakeFullPath, KeepsPolishLettersWhateverTheCodePage) {
    const std::filesystem::path cwd = std::filesystem::current_path();
    EXPECT_EQ(MakeFullPath("wagi łódź/żółw.xml"), Utf8(cwd / std::filesystem::path(u8"wagi łódź") /
                                                       std::filesystem::path(u8"żółw.xml")));
}

struct ProgramNameCase {
    const wchar_t* commandLine;
    const wchar_t* rest;
};

class TextAfterProgramNameTest : public testing::TestWithParam<ProgramNameCase> {};

TEST_P(TextAfterProgramNameTest, SkipsTheProgramNameAsWindowsDoes) {
    EXPECT_EQ(TextAfterProgramName(GetParam().commandLine), std::wstring_view{GetParam().rest});
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, TextAfterProgramNameTest,
    testing::Values(
        ProgramNameCase{L"pantrel.exe -install \"C:\\a b\\x.xml\"", L"-install \"C:\\a b\\x.xml\""},
        ProgramNameCase{L"\"C:\\Program Files\\Pantrel\\pantrel.exe\" /INSTALLC:\\x.xml",
                        L"/INSTALLC:\\x.xml"},
        ProgramNameCase{L"\"C:\\a b\\pantrel.exe\"-list", L"-list"},  // no blank after quotes
        ProgramNameCase{L"pantrel.exe \t  -list  ", L"-list  "},
        ProgramNameCase{L"pantrel.exe", L""}, ProgramNameCase{L"\"pantrel.exe", L""},
        ProgramNameCase{L"pantrel.exe   ", L""}, ProgramNameCase{L"", L""}));

}  // namespace
}  // namespace pantrel
