#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

using namespace std::string_view_literals;

namespace {

// All twelve fields side by side, so a mismatch names the field and shows both values.
auto Fields(const Settings& s) {
    return std::tie(s.TransAmount, s.AutoStart, s.LabelPos, s.ShowComputerName, s.ShowDomainName,
                    s.ShowUserID, s.ShowIP, s.AddToDisplay, s.FontName, s.FontSize, s.FontColor,
                    s.BackColor);
}

// --- The file as a save writes it ------------------------------------------------------------

TEST(FormatSettingsText, DefaultsGiveThe199ByteFile) {
    const std::string expected = "TransAmount = 100\r\n"
                                 "AutoStart = 0\r\n"
                                 "LabelPos = 4\r\n"
                                 "ShowComputerName = 1\r\n"
                                 "ShowDomainName = 0\r\n"
                                 "ShowUserID = 0\r\n"
                                 "ShowIP = 0\r\n"
                                 "AddToDisplay = \r\n"
                                 "FontName = Arial\r\n"
                                 "FontSize = 8\r\n"
                                 "FontColor = -1\r\n"
                                 "BackColor = -1\r\n";
    ASSERT_EQ(expected.size(), 199u);
    EXPECT_EQ(FormatSettingsText(DefaultSettings()), expected);
}

TEST(FormatSettingsText, IntegersAsSignedDecimalAndTextsByteForByte) {
    Settings settings;
    settings.TransAmount = INT32_MIN;
    settings.AutoStart = INT32_MAX;
    settings.LabelPos = -7;
    settings.ShowComputerName = 0;
    settings.ShowDomainName = 10;
    settings.ShowUserID = 1;
    settings.ShowIP = 2;
    // Blanks at the ends, printf directives and a byte above 0x7F all go out unchanged.
    settings.AddToDisplay = "  a = b ; %d %s \"q\" ";
    settings.FontName = "Caf\xE9";
    settings.FontSize = 12;
    settings.FontColor = 65536;
    settings.BackColor = 0x00FFFFFF;
    EXPECT_EQ(FormatSettingsText(settings), "TransAmount = -2147483648\r\n"
                                            "AutoStart = 2147483647\r\n"
                                            "LabelPos = -7\r\n"
                                            "ShowComputerName = 0\r\n"
                                            "ShowDomainName = 10\r\n"
                                            "ShowUserID = 1\r\n"
                                            "ShowIP = 2\r\n"
                                            "AddToDisplay =   a = b ; %d %s \"q\" \r\n"
                                            "FontName = Caf\xE9\r\n"
                                            "FontSize = 12\r\n"
                                            "FontColor = 65536\r\n"
                                            "BackColor = 16777215\r\n");
}

// --- Hand-edited variants of one file that all read alike -------------------------------------

// Every field differs from its default and from the other fields, so a field that is read
// from the wrong line, or not read at all, shows.
struct KeyValue {
    std::string_view key;
    std::string_view value;
};

constexpr KeyValue kTypicalLines[] = {
    {"TransAmount", "50"},     {"AutoStart", "1"},         {"LabelPos", "2"},
    {"ShowComputerName", "0"}, {"ShowDomainName", "3"},    {"ShowUserID", "5"},
    {"ShowIP", "6"},           {"AddToDisplay", "Desk 4"}, {"FontName", "Courier New"},
    {"FontSize", "12"},        {"FontColor", "255"},       {"BackColor", "65536"},
};

Settings Typical() {
    Settings s;
    s.TransAmount = 50;
    s.AutoStart = 1;
    s.LabelPos = 2;
    s.ShowComputerName = 0;
    s.ShowDomainName = 3;
    s.ShowUserID = 5;
    s.ShowIP = 6;
    s.AddToDisplay = "Desk 4";
    s.FontName = "Courier New";
    s.FontSize = 12;
    s.FontColor = 255;
    s.BackColor = 65536;
    return s;
}

enum class KeyCase { AsWritten, Lower, Upper };

// How a hand-edited copy of the typical file differs from the saved one.
struct FileShape {
    std::string_view start = "";
    std::string_view indent = "";
    KeyCase keyCase = KeyCase::AsWritten;
    std::string_view equals = " = ";
    std::string_view afterValue = "";
    std::string_view lineEnd = "\r\n";
    bool lastLineEnds = true;
    std::string_view betweenLines = "";
    bool reversed = false;
    std::string_view end = "";
};

std::string Cased(std::string_view key, KeyCase keyCase) {
    std::string cased(key);
    for (char& c : cased) {
        if (keyCase == KeyCase::Lower && c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        } else if (keyCase == KeyCase::Upper && c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return cased;
}

std::string TypicalFile(const FileShape& shape) {
    std::vector<KeyValue> lines(std::begin(kTypicalLines), std::end(kTypicalLines));
    if (shape.reversed) {
        std::reverse(lines.begin(), lines.end());
    }
    std::string file(shape.start);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            file += shape.betweenLines;
        }
        file += shape.indent;
        file += Cased(lines[i].key, shape.keyCase);
        file += shape.equals;
        file += lines[i].value;
        file += shape.afterValue;
        if (i + 1 < lines.size() || shape.lastLineEnds) {
            file += shape.lineEnd;
        }
    }
    file += shape.end;
    return file;
}

struct ShapeCase {
    const char* name;
    FileShape shape;
};

class SameSettingsTest : public testing::TestWithParam<ShapeCase> {};

TEST_P(SameSettingsTest, ReadsToTheTypicalSettings) {
    EXPECT_EQ(Fields(ParseSettingsText(TypicalFile(GetParam().shape))), Fields(Typical()));
}

const ShapeCase kShapeCases[] = {
    {"AsSaved", {}},
    {"LfEnds", {.lineEnd = "\n"}},
    {"CrEnds", {.lineEnd = "\r"}},
    {"LastLineWithoutBreak", {.lastLineEnds = false}},
    {"BlankLinesAndMixedBreaks", {.start = "\r\n\n", .lineEnd = "\n\r\r\n\n"}},
    {"SpacesAndTabsBeforeKeys", {.indent = " \t  "}},
    {"NoSpacesAroundEquals", {.equals = "="}},
    {"SpacesAndTabsAroundEquals", {.equals = " \t  =\t  "}},
    {"BlanksAfterValues", {.afterValue = "  \t"}},
    {"LowerCaseKeys", {.keyCase = KeyCase::Lower}},
    {"UpperCaseKeys", {.keyCase = KeyCase::Upper}},
    {"OtherOrder", {.reversed = true}},
    {"CommentsAndUnknownKeys",
     {.start = "; TransAmount = 10\r\n",
      .betweenLines = "  ;FontSize = 30\r\n\tColour = red\r\nFontSize2 = 40\r\n"}},
    {"SectionAfterTheKeys", {.end = "[Settings]\r\nTransAmount = 10\r\nFontName = Other\r\n"}},
    {"ByteOrderMark", {.start = "\xEF\xBB\xBF"}},
    {"ByteOrderMarkAndLfEnds", {.start = "\xEF\xBB\xBF", .lineEnd = "\n"}},
};

INSTANTIATE_TEST_SUITE_P(HandEdited, SameSettingsTest, testing::ValuesIn(kShapeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Single readings -------------------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::string_view file;
    void (*change)(Settings&); // what differs from the defaults; nullptr for nothing
};

class ParseSettingsTextTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ParseSettingsTextTest, ReadsTheFile) {
    const ReadCase& c = GetParam();
    Settings expected = DefaultSettings();
    if (c.change != nullptr) {
        c.change(expected);
    }
    EXPECT_EQ(Fields(ParseSettingsText(c.file)), Fields(expected));
}

const ReadCase kReadCases[] = {
    {"EmptyFileGivesDefaults", "", nullptr},
    {"BlankLinesOnlyGiveDefaults", "\r\n \t \n\r", nullptr},
    {"NoSpaces", "TransAmount=50", [](Settings& s) { s.TransAmount = 50; }},
    {"LowerCaseKeyWithSpaces", "  transamount   =   50  \r\n",
     [](Settings& s) { s.TransAmount = 50; }},
    {"DuplicateFirstWins", "TransAmount = 50\r\nTransAmount = 70\r\n",
     [](Settings& s) { s.TransAmount = 50; }},
    {"DuplicateInOtherCaseFirstWins", "TRANSAMOUNT = 50\r\ntransAmount = 70\r\n",
     [](Settings& s) { s.TransAmount = 50; }},
    {"EmptyFirstOccurrenceStillWins", "FontSize =\r\nFontSize = 12\r\n",
     [](Settings& s) { s.FontSize = 0; }},
    {"CommentedKeysIgnored", "; TransAmount = 50\r\n\t;FontSize = 12\r\n", nullptr},
    {"KeysAfterASectionHeaderAreNeverFound",
     "[Settings]\r\nTransAmount = 50\r\nFontName = Courier\r\n", nullptr},
    {"IndentedSectionHeader", " \t[Settings]\r\nTransAmount = 50\r\n", nullptr},
    {"SectionHeaderWithoutClosingBracket", "[Settings\r\nTransAmount = 50\r\n", nullptr},
    {"SectionHeaderEndsTheLookup", "FontSize = 12\r\n[Other]\r\nTransAmount = 50\r\n",
     [](Settings& s) { s.FontSize = 12; }},
    {"KeyMustMatchWhole", "TransAmountX = 50\r\nTrans Amount = 60\r\nTrans = 70\r\n", nullptr},
    {"UnitAfterDigits", "FontSize = 12pt", [](Settings& s) { s.FontSize = 12; }},
    {"WordGivesZero", "FontSize = big", [](Settings& s) { s.FontSize = 0; }},
    {"NothingAfterEqualsGivesZero", "FontSize = \r\n", [](Settings& s) { s.FontSize = 0; }},
    {"KeyWithoutEqualsGivesZero", "FontSize \t\r\n", [](Settings& s) { s.FontSize = 0; }},
    {"HexadecimalGivesZero", "FontColor = 0x10", [](Settings& s) { s.FontColor = 0; }},
    {"SignedValues", "BackColor = -5\r\nFontColor = +7",
     [](Settings& s) {
         s.BackColor = -5;
         s.FontColor = 7;
     }},
    {"MissingFontSizeKeepsEight", "FontName = Tahoma\r\n",
     [](Settings& s) { s.FontName = "Tahoma"; }},
    {"EmptyFontNameIsNotArial", "FontName =\r\n", [](Settings& s) { s.FontName = ""; }},
    {"FontNameWithoutEqualsIsEmpty", "FontName\r\n", [](Settings& s) { s.FontName = ""; }},
    {"TextTrimmedAtBothEnds", "AddToDisplay =   Desk 4  \r\nFontName = \tCourier New\t \r\n",
     [](Settings& s) {
         s.AddToDisplay = "Desk 4";
         s.FontName = "Courier New";
     }},
    {"EqualsAndSemicolonStayInTheValue", "AddToDisplay = a = b ; c\r\n",
     [](Settings& s) { s.AddToDisplay = "a = b ; c"; }},
    {"BracketsAndQuotesStayInTheValue", "AddToDisplay = [x] \"y\" 'z'\r\n",
     [](Settings& s) { s.AddToDisplay = "[x] \"y\" 'z'"; }},
    {"WithoutByteOrderMarkBytesStayAsTheyAre", "AddToDisplay = Caf\xC3\xA9 \xE9\r\n",
     [](Settings& s) { s.AddToDisplay = "Caf\xC3\xA9 \xE9"; }},
    {"ByteOrderMarkConvertsTexts",
     "\xEF\xBB\xBF"
     "AddToDisplay = Caf\xC3\xA9 \xE2\x82\xAC\r\nFontName = \xC4\x80rial\r\n",
     [](Settings& s) {
         s.AddToDisplay = "Caf\xE9 ?";
         s.FontName = "?rial";
     }},
    // The text is trimmed before it is converted, so its last lead byte has nothing after it.
    {"ByteOrderMarkTrimsBeforeConverting",
     "\xEF\xBB\xBF"
     "AddToDisplay = Desk\xC3 \r\n",
     [](Settings& s) { s.AddToDisplay = "Desk"; }},
    {"ByteOrderMarkAnywhereElseIsPartOfTheKey",
     "\r\n\xEF\xBB\xBF"
     "TransAmount = 50\r\n",
     nullptr},
    // A NUL byte ends the line's content; the next line still counts.
    {"NulEndsTheValue", "FontName = Ari\0al\r\nFontSize = 9\r\n"sv,
     [](Settings& s) {
         s.FontName = "Ari";
         s.FontSize = 9;
     }},
    {"NulThenBlanksTrimmed", "AddToDisplay = Desk 4  \0junk\r\n"sv,
     [](Settings& s) { s.AddToDisplay = "Desk 4"; }},
    {"AfterNulIsNoKeyLine", "AddToDisplay = x\0TransAmount = 50\r\n"sv,
     [](Settings& s) { s.AddToDisplay = "x"; }},
    {"NulInTheKey", "Trans\0Amount = 50\r\n"sv, nullptr},
    {"NulHidesASectionHeader", "\0[Settings]\r\nTransAmount = 50\r\n"sv,
     [](Settings& s) { s.TransAmount = 50; }},
    {"OnlyNuls", "\0\0\r\n\0"sv, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Examples, ParseSettingsTextTest, testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Save, then load --------------------------------------------------------------------------

Settings Extremes() {
    Settings s;
    s.TransAmount = INT32_MIN;
    s.AutoStart = INT32_MAX;
    s.LabelPos = -1;
    s.ShowComputerName = 0;
    s.ShowDomainName = 1;
    s.ShowUserID = 2;
    s.ShowIP = -3;
    s.AddToDisplay = "a = b ; c [d] \"e\" %s \xE9";
    s.FontName = "";
    s.FontSize = 0;
    s.FontColor = 0;
    s.BackColor = kStoredBlack;
    return s;
}

TEST(SettingsFileRoundTrip, ASavedFileLoadsToTheSameSettings) {
    for (const Settings& saved : {DefaultSettings(), Typical(), Extremes()}) {
        EXPECT_EQ(Fields(ParseSettingsText(FormatSettingsText(saved))), Fields(saved))
            << FormatSettingsText(saved);
    }
}

TEST(SettingsFileRoundTrip, BlanksAtTheEndsOfATextAreLost) {
    Settings saved = DefaultSettings();
    saved.AddToDisplay = "  Desk 4 \t";
    saved.FontName = "\tArial ";
    const Settings loaded = ParseSettingsText(FormatSettingsText(saved));
    EXPECT_EQ(loaded.AddToDisplay, "Desk 4");
    EXPECT_EQ(loaded.FontName, "Arial");
}

// --- The generic reader ----------------------------------------------------------------------

TEST(ReadSettingsKeyLines, SplitsKeyLinesAndStopsAtTheFirstSection) {
    const std::string_view file = "  Colour \t= \t red  \r\n"
                                  "; note = 1\r\n"
                                  "Flag  \r\n"
                                  "=orphan\n"
                                  "Path = C:\\a=b\r"
                                  "[Section]\r\n"
                                  "Hidden = 1\r\n";
    std::vector<std::pair<std::string_view, std::string_view>> lines;
    for (const SettingsKeyLine& line : ReadSettingsKeyLines(file)) {
        lines.emplace_back(line.key, line.value);
    }
    const std::vector<std::pair<std::string_view, std::string_view>> expected = {
        {"Colour", "red  "}, {"Flag", ""}, {"", "orphan"}, {"Path", "C:\\a=b"}};
    EXPECT_EQ(lines, expected);
}

TEST(FindSettingsValue, FirstMatchIgnoringAsciiCaseAndEmptyIsNotMissing) {
    const std::vector<SettingsKeyLine> lines = {
        {"colour", "red"}, {"COLOUR", "blue"}, {"Empty", ""}, {"\xC9t\xC9", "x"}};
    EXPECT_EQ(FindSettingsValue(lines, "Colour"), "red");
    EXPECT_EQ(FindSettingsValue(lines, "empty"), "");
    EXPECT_EQ(FindSettingsValue(lines, "Missing"), std::nullopt);
    EXPECT_EQ(FindSettingsValue(lines, "Colou"), std::nullopt);
    // Only ASCII letters fold: bytes above 0x7F are compared exactly.
    EXPECT_EQ(FindSettingsValue(lines, "\xC9T\xC9"), "x");
    EXPECT_EQ(FindSettingsValue(lines, "\xE9t\xE9"), std::nullopt);
}

// --- The integer rule ------------------------------------------------------------------------

struct IntegerCase {
    std::string value;
    int32_t expected;
};

TEST(ParseSettingsInteger, ReadsLikeAtoiAndClampsTo32Bits) {
    const IntegerCase cases[] = {
        {"0", 0},
        {"42", 42},
        {"-42", -42},
        {"+42", 42},
        {"007", 7},
        {"12pt", 12},
        {"12 34", 12},
        {"1e5", 1},
        {"5-3", 5},
        {"0x10", 0},
        {"big", 0},
        {"", 0},
        {"+", 0},
        {"-", 0},
        {"--5", 0},
        {"+-5", 0},
        {"- 5", 0},
        {" \t\n\v\f\r-8", -8}, // the white space atoi skips
        {"-0", 0},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"99999999999", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-2147483649", INT32_MIN},
        {"-99999999999", INT32_MIN},
        {"0000000000000000000000000042", 42},
        {std::string(1000, '9'), INT32_MAX},
        {"-" + std::string(1000, '9'), INT32_MIN},
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(ParseSettingsInteger(c.value), c.expected) << '"' << c.value << '"';
    }
}

// --- UTF-8 to single bytes -------------------------------------------------------------------

TEST(Utf8ToSingleBytes, KeepsLatin1MarksTheRestAndDropsBrokenBytes) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"", ""},
        {"plain ASCII ;=[", "plain ASCII ;=["},
        {"Caf\xC3\xA9", "Caf\xE9"},       // U+00E9: one byte of that value
        {"\xC2\xA0\xC3\xBF", "\xA0\xFF"}, // U+00A0 and U+00FF, the ends of the range
        {"\xC4\x80", "?"},                // U+0100: the first code above one byte
        {"\xDF\xBF", "?"},                // U+07FF: the largest two-byte code
        // Over-long forms are not characters: they never smuggle in a line break, a NUL or a
        // blank that the next save and load would change.
        {"\xC0\xA0", "?"},
        {"\xC0\x8A", "?"},
        {"\xC1\x8D", "?"},
        {"\xC0\x80", "?"},
        {"\xC3Z", "?Z"},                  // lead byte without continuation: only it is consumed
        {"\xC3\xC3\xA9", "?\xE9"},
        {"\xC3\xA9\xA9", "\xE9"},  // a continuation byte after a whole character is stray
        {"x\xC3", "x"},            // lead byte at the end: dropped
        {"\xE2\x82\xAC", "?"},     // U+20AC, three bytes
        {"\xE2\x82\xAC\xAC", "?"}, // a fourth continuation byte is stray: dropped
        {"\xE2xy", "?xy"},         // only the continuation bytes present are consumed
        {"\xE2\x82x", "?x"},
        {"\xE2\x82", ""},          // cut off by the end: lead and follower dropped
        {"\xF0\x9F\x98\x80", "?"}, // U+1F600, four bytes
        {"\xF0\x9F\x98\x80\x80", "?"},
        {"\xF0xyz", "?xyz"},
        {"\xF0\x9F\x98", ""}, // cut off by the end
        {"\x80\xBF", ""},     // continuation bytes where no character began
        {"a\xF8\xFFz", "az"}, // bytes that start no character
        {"caf\xE9", "caf"},   // a Latin-1 byte is a lead byte with too little after
        {"\xE9t\xE9", "?t"},
    };
    for (const auto& [utf8, expected] : cases) {
        EXPECT_EQ(Utf8ToSingleBytes(utf8), expected) << testing::PrintToString(std::string(utf8));
    }
}

} // namespace
