#include <gtest/gtest.h>

#include "platform/com/qoGuid.h"
#include "platform/com/qoTypeLibReg.h"
#include "qoChartixControl_TLB.h"
#include "support/qoTestSupport.h"

namespace qo::test {
namespace {

TEST(GuidTest, RegistryFormRoundTrips) {
    std::string text = GuidToString(LIBID_qoChartixControl);
    EXPECT_EQ(text.size(), 38u);
    GUID back{};
    ASSERT_TRUE(TryStringToGuid(text, back));
    EXPECT_TRUE(back == LIBID_qoChartixControl);
    std::string lower = text.substr(1, 36);
    for (char& c : lower) c = static_cast<char>(std::tolower(c));
    ASSERT_TRUE(TryStringToGuid(lower, back));
    EXPECT_TRUE(back == LIBID_qoChartixControl);
    for (const char* bad : {"", "{}", "D01628C1-75B7-9B40-60A6-0A35927932E",
                            "D01628C1x75B7-9B40-60A6-0A35927932E3", "G01628C1-75B7-9B40-60A6-0A35927932E3"})
        EXPECT_FALSE(TryStringToGuid(bad, back)) << bad;
}

TEST(RegistryTest, KeysIgnoreCaseAndDeleteOnlyWhenEmpty) {
    TqoMemoryRegistry reg;
    reg.SetValue(TqoRegRoot::ClassesRoot, "CLSID\\{A}\\InprocServer32", "ThreadingModel", "Apartment");
    std::string value;
    EXPECT_TRUE(reg.GetValue(TqoRegRoot::ClassesRoot, "clsid\\{a}\\inprocserver32", "threadingmodel", value));
    EXPECT_EQ(value, "Apartment");
    EXPECT_FALSE(
        reg.GetValue(TqoRegRoot::CurrentUser, "CLSID\\{A}\\InprocServer32", "ThreadingModel", value));
    EXPECT_FALSE(reg.DeleteKey(TqoRegRoot::ClassesRoot, "CLSID\\{A}"));
    EXPECT_TRUE(reg.DeleteKey(TqoRegRoot::ClassesRoot, "CLSID\\{A}\\InprocServer32"));
    EXPECT_TRUE(reg.DeleteKey(TqoRegRoot::ClassesRoot, "CLSID\\{A}"));
    EXPECT_TRUE(reg.KeyExists(TqoRegRoot::ClassesRoot, "CLSID"));
}

TEST(RegistryTest, SavedRegistrationReadsBackTheSame) {
    TqoMemoryRegistry reg;
    reg.SetValue(TqoRegRoot::ClassesRoot, "qoChartixControl.qoChartix", "", "qoChartix \"Control\"");
    reg.SetValue(TqoRegRoot::CurrentUser, "Software\\Classes\\CLSID\\{B}\\InprocServer32", "",
                 "C:\\a b\\x.ocx");
    reg.CreateKey(TqoRegRoot::ClassesRoot, "CLSID\\{B}\\Control");
    std::string path = OutputPath("registry.txt");
    ASSERT_TRUE(reg.Save(path));
    TqoMemoryRegistry back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.Keys(), reg.Keys());
    std::string value;
    EXPECT_TRUE(back.GetValue(TqoRegRoot::ClassesRoot, "qoChartixControl.qoChartix", "", value));
    EXPECT_EQ(value, "qoChartix \"Control\"");
    EXPECT_TRUE(
        back.GetValue(TqoRegRoot::CurrentUser, "Software\\Classes\\CLSID\\{B}\\InprocServer32", "", value));
    EXPECT_EQ(value, "C:\\a b\\x.ocx");
}

TEST(TypeLibRegistrationTest, PerUserRegistrationLeavesTheClassRootAloneAndUnregisters) {
    TqoMemoryRegistry reg;
    RegisterTypeLibrary(reg, "/opt/qo/qoChartixControl.so", "/opt/qo", true);
    std::string lib = "Software\\Classes\\" + TypeLibKey(), value;
    EXPECT_TRUE(reg.GetValue(TqoRegRoot::CurrentUser, lib, "", value));
    EXPECT_EQ(value, "qoChartixControl Library");
    EXPECT_TRUE(reg.GetValue(TqoRegRoot::CurrentUser, lib + "\\409\\win64", "", value));
    EXPECT_EQ(value, "/opt/qo/qoChartixControl.so");
    EXPECT_TRUE(reg.GetValue(TqoRegRoot::CurrentUser, lib + "\\FLAGS", "", value));
    EXPECT_EQ(value, "2");
    std::string intf = "Software\\Classes\\Interface\\" + GuidToString(IID_IqoDataList2);
    EXPECT_TRUE(reg.GetValue(TqoRegRoot::CurrentUser, intf, "", value));
    EXPECT_EQ(value, "IqoDataList2");
    EXPECT_TRUE(reg.GetValue(TqoRegRoot::CurrentUser, intf + "\\TypeLib", "Version", value));
    EXPECT_EQ(value, "2.5");
    EXPECT_FALSE(reg.KeyExists(TqoRegRoot::ClassesRoot, "TypeLib"));

    UnregisterTypeLibrary(reg, "/opt/qo/qoChartixControl.so", true);
    EXPECT_FALSE(reg.KeyExists(TqoRegRoot::CurrentUser, lib));
    EXPECT_FALSE(reg.KeyExists(TqoRegRoot::CurrentUser, intf));
    EXPECT_FALSE(reg.KeyExists(TqoRegRoot::CurrentUser,
                               "Software\\Classes\\TypeLib\\" + GuidToString(LIBID_qoChartixControl)));
}

} // namespace
} // namespace qo::test
