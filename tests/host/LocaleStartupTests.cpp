// The module start-up against every answer the platform can give, through the stand-in.
#include <gtest/gtest.h>

#include "HostStub.h"
#include "TinyUtils.h"

#include <cstring>
#include <string>
#include <vector>

using namespace TinyUtils;

namespace {

class LocaleStartup : public testing::Test {
  protected:
    void TearDown() override {
        HostStub::Reset();
        Startup(); // back to the Japanese state the other tests expect
    }
    static HostStub::World& World() { return HostStub::Current(); }
    static void Table(std::vector<unsigned char> bytes) {
        bytes.resize(12, 0);
        std::memcpy(World().LeadByteTable, bytes.data(), 12);
        World().UseLeadByteTable = true;
    }
    // The set as ranges "lo-hi" for readable failures.
    static std::string Ranges() {
        std::string out;
        for (int v = 0; v < 256; ++v) {
            if (!IsLeadByteValue(static_cast<unsigned char>(v))) continue;
            int hi = v;
            while (hi < 255 && IsLeadByteValue(static_cast<unsigned char>(hi + 1))) ++hi;
            char buf[16];
            std::snprintf(buf, sizeof buf, "%s%02X-%02X", out.empty() ? "" : ",", v, hi);
            out += buf;
            v = hi;
        }
        return out;
    }
};

TEST_F(LocaleStartup, JapaneseOnNt) {
    Startup();
    EXPECT_EQ(PlatformId, 2);
    EXPECT_EQ(LocaleId, 0x0411u);
    EXPECT_EQ(PrimaryLanguage, 0x11);
    EXPECT_FALSE(IsWesternLanguage());
    EXPECT_EQ(CodePageOfLocale(0x0411), 932);
    EXPECT_EQ(Ranges(), "81-9F,E0-FC");
    EXPECT_TRUE(MultiByteLocale);
}

// Paths arrive in the system ANSI code page; the thread locale is only the user's format setting.
TEST_F(LocaleStartup, LeadBytesComeFromTheSystemCodePageNotTheFormatLocale) {
    struct {
        unsigned long threadLocale;
        unsigned ansiCodePage;
        int primaryLanguage;
        const char* ranges;
    } cases[] = {
        {0x0409, 932, 9, "81-9F,E0-FC"},    // Japanese system, English format
        {0x0C09, 932, 9, "81-9F,E0-FC"},    // English (Australia): sublanguage bits are masked off
        {0x0411, 1252, 0x11, ""},           // English system, Japanese format
        {0x0419, 1251, 0x19, ""},           // Russian: not Western, yet no lead bytes
        {0x0411, 932, 0x11, "81-9F,E0-FC"}, // all Japanese
    };
    for (const auto& c : cases) {
        World().ThreadLocale = c.threadLocale;
        World().AnsiCodePage = c.ansiCodePage;
        Startup();
        EXPECT_EQ(PrimaryLanguage, c.primaryLanguage) << std::hex << c.threadLocale;
        EXPECT_EQ(Ranges(), c.ranges) << std::hex << c.threadLocale << " " << std::dec << c.ansiCodePage;
        EXPECT_EQ(MultiByteLocale, *c.ranges != '\0');
        EXPECT_EQ(ByteKindAt("\x83\x5C", 2), *c.ranges ? bkTrail : bkSingle);
    }
}

TEST_F(LocaleStartup, SetIsClearedOnEveryStartup) {
    Startup();
    ASSERT_TRUE(MultiByteLocale);
    World().AnsiCodePage = 1252;
    Startup();
    EXPECT_EQ(Ranges(), "");
    EXPECT_FALSE(MultiByteLocale);
}

TEST_F(LocaleStartup, NonNtFollowsDbcsEnabledNotTheLanguage) {
    World().PlatformId = 1;
    World().ThreadLocale = 0x0409; // Western, yet the system metric decides here
    World().AnsiCodePage = 932;
    World().LocaleCodePageText = "932";
    World().DbcsEnabled = 1;
    Startup();
    EXPECT_EQ(PlatformId, 1);
    EXPECT_TRUE(MultiByteLocale);
    EXPECT_EQ(Ranges(), "81-9F,E0-FC");

    World().DbcsEnabled = 0;
    World().ThreadLocale = 0x0411;
    Startup();
    EXPECT_FALSE(MultiByteLocale);
    EXPECT_EQ(Ranges(), "");
}

TEST_F(LocaleStartup, NonNtStaysMultiByteWithAnEmptySet) {
    World().PlatformId = 0;
    World().AnsiCodePage = 1251;
    Startup();
    EXPECT_TRUE(MultiByteLocale);
    EXPECT_EQ(Ranges(), "");
    // With no lead bytes every position is single all the same.
    EXPECT_EQ(ByteKindAt("\x83\x5C", 2), bkSingle);
}

TEST_F(LocaleStartup, FailingVersionCallSelectsTheNonNtRules) {
    Startup();
    ASSERT_EQ(PlatformId, 2);
    World().VersionCallFails = true;
    World().DbcsEnabled = 0;
    Startup();
    EXPECT_EQ(PlatformId, 0);
    EXPECT_FALSE(MultiByteLocale); // Japanese, but SM_DBCSENABLED is 0
}

TEST_F(LocaleStartup, ThreadLocaleZeroKeepsEnglishDefaults) {
    World().ThreadLocale = 0;
    Startup();
    EXPECT_EQ(LocaleId, 0x0409u);
    EXPECT_EQ(PrimaryLanguage, 9);
    EXPECT_TRUE(MultiByteLocale); // the system code page is still 932
}

TEST_F(LocaleStartup, LocaleWithZeroLowWordKeepsPrimaryLanguageEnglish) {
    World().ThreadLocale = 0x00010000;
    World().LocaleCodePageText = "932";
    Startup();
    EXPECT_EQ(LocaleId, 0x00010000u);
    EXPECT_EQ(PrimaryLanguage, 9);
    EXPECT_TRUE(MultiByteLocale); // the system code page decides, not the language
}

TEST_F(LocaleStartup, CodePageFallsBackToTheAnsiCodePage) {
    World().AnsiCodePage = 936;
    struct {
        const char* text; // nullptr: the call fails
        int expected;
    } cases[] = {{"1252", 1252}, {"0", 0},     {"65001", 65001}, {"949", 949}, {"-1", -1},   {nullptr, 936},
                 {"", 936},      {"abc", 936}, {"93x", 936},     {"-", 936},   {"x932", 936}};
    for (const auto& c : cases) {
        World().LocaleInfoFails = c.text == nullptr;
        World().LocaleCodePageText = c.text ? c.text : "";
        if (c.text && !*c.text) World().LocaleCodePageText = std::string(1, '\0');
        EXPECT_EQ(CodePageOfLocale(0x0412), c.expected) << (c.text ? c.text : "(fails)");
    }
}

TEST_F(LocaleStartup, FailingLocaleInfoLoadsTheAnsiCodePagesLeadBytes) {
    World().ThreadLocale = 0x0412; // Korean: the stand-in would answer 1252
    World().LocaleInfoFails = true;
    World().AnsiCodePage = 932;
    Startup();
    EXPECT_EQ(Ranges(), "81-9F,E0-FC");
    EXPECT_TRUE(MultiByteLocale);
}

TEST_F(LocaleStartup, FailingCodePageInfoAddsNothing) {
    World().CPInfoFails = true;
    Startup();
    EXPECT_EQ(Ranges(), "");
    EXPECT_FALSE(MultiByteLocale); // NT: true only with a non-empty set

    World().PlatformId = 1;
    Startup();
    EXPECT_EQ(Ranges(), "");
    EXPECT_TRUE(MultiByteLocale);
}

TEST_F(LocaleStartup, LeadByteTablePairs) {
    struct {
        std::vector<unsigned char> table;
        const char* ranges;
    } cases[] = {
        {{0xA0, 0x90, 0x81, 0x82}, "81-82"},                       // a reversed pair adds nothing
        {{0x81, 0x81, 0, 0, 0xE0, 0xE0}, "81-81"},                 // a zero pair ends the table
        {{0xF0, 0xFF}, "F0-FF"},                                   // up to the last byte value
        {{1, 1, 3, 3, 5, 5, 7, 7, 9, 9, 11, 11}, "01-01,03-03,05-05,07-07,09-09,0B-0B"}, // six pairs
        {{0x90, 0x90, 0x81, 0x88, 0x85, 0x8A}, "81-8A,90-90"},     // overlapping pairs are added up
        {{}, ""},
    };
    World().ThreadLocale = 0x0412;
    for (const auto& c : cases) {
        Table(c.table);
        Startup();
        EXPECT_EQ(Ranges(), c.ranges);
        EXPECT_EQ(MultiByteLocale, *c.ranges != '\0');
    }
}

TEST_F(LocaleStartup, WesternLanguages) {
    const int western[] = {0x00, 0x06, 0x07, 0x09, 0x0A, 0x0B, 0x0C, 0x10, 0x13, 0x14, 0x16, 0x1D};
    // Others, including ids above 31 whose low five bits name a Western language.
    const int others[] = {0x01, 0x05, 0x08, 0x0E, 0x11, 0x12, 0x15, 0x19, 0x1E, 0x1F,
                          0x20, 0x26, 0x29, 0x2A, 0x3FF};
    for (int id : western) {
        PrimaryLanguage = id;
        EXPECT_TRUE(IsWesternLanguage()) << std::hex << id;
    }
    for (int id : others) {
        PrimaryLanguage = id;
        EXPECT_FALSE(IsWesternLanguage()) << std::hex << id;
    }
}

TEST_F(LocaleStartup, HighLanguageIdsOnNtLoadTheirCodePage) {
    World().ThreadLocale = 0x0429; // Persian: 0x29 would be English if only five bits were looked at
    World().LocaleCodePageText = "932";
    Startup();
    EXPECT_EQ(PrimaryLanguage, 0x29);
    EXPECT_TRUE(MultiByteLocale);
}

} // namespace
