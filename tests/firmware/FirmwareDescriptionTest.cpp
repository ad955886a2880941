#include <gtest/gtest.h>

#include "firmware/FirmwareDescription.h"

TEST (FirmwareDescription, FormatsTheVersionWithOneDigitAfterThePoint)
{
    const std::pair<double, const char*> cases[] =
    {
        { 1.2, "1.2" }, { 0.0, "0.0" }, { 10.0, "10.0" }, { 1.25, "1.3" }, { 1.24, "1.2" },
        { 0.96, "1.0" }, { -0.25, "-0.3" }, { -2.0, "-2.0" }, { 123.45, "123.5" },
    };

    for (const auto& [version, text] : cases)
        EXPECT_EQ (FirmwareDescription::formatVersion (version), text) << version;
}

TEST (FirmwareDescription, NamesTheRevisionOnlyWhenThereIsOne)
{
    EXPECT_EQ (FirmwareDescription::describe (BuiltInFirmwareImage()), "Arvella version 1.2 - R688");

    FirmwareImage fromFile ("my update", 0.0, 0);
    EXPECT_EQ (FirmwareDescription::describe (fromFile), "my update version 0.0");
}
