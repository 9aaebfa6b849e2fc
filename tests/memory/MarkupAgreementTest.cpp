// What a translation from the memory must keep of its source before pre-translation takes it.
#include <gtest/gtest.h>

#include "memory/MarkupAgreement.h"

namespace qmk {
namespace {

TEST(MarkupAgreement, PlaceholdersMustBeTheSource)
{
    EXPECT_EQ(markupDisagreement("%d files in %s", "%d Dateien in %s"), "");
    EXPECT_EQ(markupDisagreement("%d files in %s", "Dateien in %s"), "placeholders differ");
    EXPECT_EQ(markupDisagreement("%d files in %s", "%s: %d Dateien"), "placeholders differ");  // printf order counts
    EXPECT_EQ(markupDisagreement("%1 of %2!d!", "%2!d! von %1"), "");  // numbered ones may move
    EXPECT_EQ(markupDisagreement("100%% done", "zu 100%% fertig"), "");  // "%%" is no placeholder
    EXPECT_EQ(markupDisagreement("%-5.2lf", "%-5.2lf"), "");
    EXPECT_EQ(markupDisagreement("%ls", "%s"), "placeholders differ");
}

TEST(MarkupAgreement, MnemonicAndTabsMustMatch)
{
    EXPECT_EQ(markupDisagreement("&Open\tCtrl+O", "Ö&ffnen\tStrg+O"), "");
    EXPECT_EQ(markupDisagreement("&Open\\tCtrl+O", "Ö&ffnen\\tStrg+O"), "");
    EXPECT_EQ(markupDisagreement("&Open\tCtrl+O", "Öffnen\tStrg+O"), "mnemonic differs");
    EXPECT_EQ(markupDisagreement("Open", "Ö&ffnen"), "mnemonic differs");
    EXPECT_EQ(markupDisagreement("Fish && Chips", "Fisch && Pommes"), "");
    EXPECT_EQ(markupDisagreement("&Open\tCtrl+O", "Ö&ffnen Strg+O"), "tabs differ");
}

} // namespace
} // namespace qmk
