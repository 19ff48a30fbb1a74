// The module start-up against the real locale answers of Wine, for three thread locales on a system
// whose code page is 932: the thread locale (the user's format) never changes the lead bytes.
#include <gtest/gtest.h>

#include "TinyUtils.h"

#include <windows.h>

#include <string>

using namespace TinyUtils;

namespace {

struct LocaleCase {
    const char* name;
    LCID locale;
    int primaryLanguage;
    int codePage;
    bool multiByte;
};

class RealLocale : public testing::TestWithParam<LocaleCase> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SetThreadLocale(GetParam().locale));
        Startup();
    }
    void TearDown() override {
        SetThreadLocale(0x0411);
        Startup();
        // The tests after this one expect the Japanese state again.
        EXPECT_EQ(GetThreadLocale(), 0x0411u);
        EXPECT_TRUE(MultiByteLocale);
    }
};

TEST_P(RealLocale, StartupReadsTheLocaleAndItsLeadBytes) {
    const LocaleCase& c = GetParam();
    EXPECT_EQ(PlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(LocaleId, c.locale);
    EXPECT_EQ(PrimaryLanguage, c.primaryLanguage);
    EXPECT_EQ(CodePageOfLocale(c.locale), c.codePage);
    EXPECT_EQ(MultiByteLocale, c.multiByte);
    for (unsigned v = 0; v < 256; ++v) {
        bool lead = c.multiByte && ((v >= 0x81 && v <= 0x9F) || (v >= 0xE0 && v <= 0xFC));
        EXPECT_EQ(IsLeadByteValue(static_cast<unsigned char>(v)), lead) << "byte 0x" << std::hex << v;
    }
    // So followed by a backslash: its 0x5C is a trail byte, never a backslash.
    const std::string s = "\x83\x5C\\";
    EXPECT_EQ(ByteKindAt(s, 1), c.multiByte ? bkLead : bkSingle);
    EXPECT_EQ(ByteKindAt(s, 2), c.multiByte ? bkTrail : bkSingle);
    EXPECT_EQ(ByteKindAt(s, 3), bkSingle);
}

INSTANTIATE_TEST_SUITE_P(Wine, RealLocale,
                         testing::Values(LocaleCase{"Japanese", 0x0411, 0x11, 932, true},
                                         LocaleCase{"EnglishUS", 0x0409, 0x09, 1252, true},
                                         LocaleCase{"Russian", 0x0419, 0x19, 1251, true}),
                         [](const testing::TestParamInfo<LocaleCase>& p) { return std::string(p.param.name); });

} // namespace
